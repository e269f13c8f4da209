#include "TestFiles.h"
#include "settings/ProfileFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Keeps embedded NUL bytes, which a plain const char* would cut off.
template <std::size_t N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, int(N - 1));
}

QStringList entriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray read(const QString& path, const QByteArray& section, const QByteArray& key, std::size_t size = 64)
{
    QByteArray buffer(int(size) + 1, 'x');
    const std::size_t count = ProfileFile::GetPrivateProfileString(section.toStdString(), key.toStdString(), "",
                                                                   buffer.data(), size, path.toStdString());
    return size == 0 || buffer.at(int(count)) == '\0' ? buffer.left(int(count)) : "<unterminated>";
}

bool write(const QString& path, const QByteArray& section, const QByteArray& key, const QByteArray& value)
{
    return ProfileFile::WritePrivateProfileString(section.toStdString(), key.toStdString(), value.toStdString(),
                                                  path.toStdString());
}

} // namespace

class TestProfileFile final : public QObject
{
    Q_OBJECT

private slots:
    void readsValuesLikeWindows_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        const auto row = [](const char* name, const QByteArray& file, const char* section, const char* key,
                            const char* value) {
            QTest::newRow(name) << file << QByteArray(section) << QByteArray(key) << QByteArray(value);
        };
        row("outer quotes go", bytes("[Line]\r\nBorder=\"Large\"\r\n"), "Line", "Border", "Large");
        row("names ignore case from A to Z, and blanks", bytes("[line]\r\nAZ = Large \r\n"), "Line", "az", "Large");
        row("first duplicate key wins", bytes("[Line]\r\nBorder=Small\r\nBorder=Large\r\n"), "Line", "Border", "Small");
        row("comment never matches a ;key", bytes("[Line]\r\n;Border=Large\r\n"), "Line", ";Border", "");
        row("header with blanks and a tail", bytes("  [ Line ] tail\r\nBorder=Large\r\n"), "line", "Border", "Large");
        row("only the first section of a name counts", bytes("[Line]\r\nx=1\r\n[line]\r\nBorder=Large\r\n"), "Line",
            "Border", "");
        row("lone CR line ends", bytes("[S]\rk=1\r[T]\rk=2\r"), "T", "k", "2");
        row("NUL bytes end nothing", bytes("[A]\r\nx=\0\0\r\n\0\r\n[Line]\r\nBorder=Large"), "Line", "Border", "Large");
    }

    void readsValuesLikeWindows()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QTemporaryDir dir;
        QVERIFY(store(dir.filePath("setting.ini"), file));
        QCOMPARE(read(dir.filePath("setting.ini"), section, key), value);
    }

    void writesLikeWindowsOrRefusesAndKeepsTheRest_data()
    {
        QTest::addColumn<QByteArray>("before");     // null: no file yet
        QTest::addColumn<QByteArrayList>("writes"); // section, key, value, section, key, value, ...
        QTest::addColumn<QByteArray>("after");      // null: every write refused, the file untouched
        const auto row = [](const char* name, const QByteArray& before, const QByteArrayList& writes,
                            const QByteArray& after) { QTest::newRow(name) << before << writes << after; };
        row("new file, then a new section", QByteArray(), {"Line", "Border", "Large", "Clock", "window", "Top"},
            "[Line]\r\nBorder=Large\r\n[Clock]\r\nwindow=Top\r\n");
        row("existing key keeps its spelling, the same value twice is fine", "[Clock]\r\nWindow=Normal\r\n",
            {"Clock", "window", "Top", "Clock", "window", "Top"}, "[Clock]\r\nWindow=Top\r\n");
        row("new key goes before the blank line", "[Line]\r\nLine1=255\r\n\r\n[Clock]\r\n", {"Line", "Border", "Large"},
            "[Line]\r\nLine1=255\r\nBorder=Large\r\n\r\n[Clock]\r\n");
        row("first key of a section goes under the header", "[S]\r\n; note\r\n\r\n[T]\r\n", {"s", "a", "1"},
            "[S]\r\na=1\r\n; note\r\n\r\n[T]\r\n");
        row("CR file: a new key does not swallow an LF blank line", "[S]\ra=1\n\n[T]\r", {"S", "b", "2"},
            "[S]\ra=1\nb=2\r\n\n[T]\r");
        row("unterminated last line is ended first", "[S]\na=1", {"S", "b", "2"}, "[S]\na=1\nb=2\n");
        row("byte-order mark kept", "\xEF\xBB\xBF[S]\r\na=1\r\n", {"S", "a", "2"}, "\xEF\xBB\xBF[S]\r\na=2\r\n");
        row("first duplicate replaced, all else survives",
            bytes("lead\r\n[S]\r\n;c=0\r\nodd\r\na=1\r\na=2\r\n\r\n[s]\r\na=3\r\n\0tail"),
            {"S", "a", "9", "S", "b", "8"},
            bytes("lead\r\n[S]\r\n;c=0\r\nodd\r\na=9\r\na=2\r\nb=8\r\n\r\n[s]\r\na=3\r\n\0tail"));
        const QByteArray old = "[S]\r\nk=old\r\n";
        row("refused: CR in value", old, {"S", "k", "a\rb"}, QByteArray());
        row("refused: = in key", old, {"S", "k=x", "v"}, QByteArray());
    }

    void writesLikeWindowsOrRefusesAndKeepsTheRest()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArrayList, writes);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("setting.ini");
        QVERIFY(before.isNull() || store(path, before));
        for (int i = 0; i + 2 < writes.size(); i += 3)
            QCOMPARE(write(path, writes[i], writes[i + 1], writes[i + 2]), !after.isNull());
        QCOMPARE(load(path), after.isNull() ? before : after);
        QCOMPARE(entriesOf(dir.path()), QStringList{"setting.ini"});
    }

    void utf16FilesReadAsUtf8AndStayUtf16_data()
    {
        QTest::addColumn<bool>("bigEndian");
        QTest::addColumn<bool>("damaged"); // a lone surrogate, which comes back as U+FFFD, and an odd last byte
        QTest::newRow("little-endian") << false << false;
        QTest::newRow("big-endian, damaged") << true << true;
    }

    void utf16FilesReadAsUtf8AndStayUtf16()
    {
        QFETCH(bool, bigEndian);
        QFETCH(bool, damaged);
        QTemporaryDir dir;
        const QString path = dir.filePath("setting.ini");
        const QString face = QStringLiteral("/home/zo\u00EB/\U0001F33C.gif");
        const QString comment = damaged ? QString(QChar(0xD800)) : QStringLiteral("\u2602");
        const QByteArray oddByte = damaged ? "\n" : "";
        QVERIFY(store(path,
                      utf16(";" + comment + "\r\n[Line]\r\nBorder=Large\r\n[BG]\r\nlocation=" + face, bigEndian)
                          + oddByte));
        QCOMPARE(read(path, "line", "border"), QByteArray("Large"));
        QCOMPARE(read(path, "BG", "location"), face.toUtf8());
        QVERIFY(write(path, "Line", "Border", "Small"));
        QVERIFY(write(path, "Clock", "window", QStringLiteral("Top \u2602").toUtf8()));
        QCOMPARE(load(path),
                 utf16(";" + (damaged ? QStringLiteral("\uFFFD") : comment) + "\r\n[Line]\r\nBorder=Small\r\n[BG]\r\n"
                           + "location=" + face + "\r\n[Clock]\r\nwindow=Top \u2602\r\n",
                       bigEndian)
                     + oddByte);
    }

    void unwritablePlacesAndFailedWritesChangeNothing()
    {
        QTemporaryDir dir;
        QVERIFY(!write(dir.filePath("missing/setting.ini"), "S", "k", "v"));

        const QByteArray old = "[S]\r\nk=old\r\n";
        const QString readOnly = dir.filePath("readonly.ini");
        QVERIFY(store(readOnly, old));
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(!write(readOnly, "S", "k", "new")); // even for root, as on Windows
        QCOMPARE(load(readOnly), old);

        // A disk that fills up during the write.
        const QString full = dir.filePath("full.ini");
        QVERIFY(store(full, old));
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit tight = saved;
        tight.rlim_cur = rlim_t(old.size() + 4);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &tight) == 0);
        const bool written = write(full, "S", "k", QByteArray(64, 'v'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!written);
        QCOMPARE(load(full), old);

        // And no temporary left behind by any of them.
        QCOMPARE(entriesOf(dir.path()), (QStringList{"full.ini", "readonly.ini"}));
    }

    void writeGoesThroughSymlinkKeepsPermissionsAndSweepsUp()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("real"));
        const QString real = dir.filePath("real/setting.ini");
        QVERIFY(store(real, "[S]\r\nk=old\r\n"));
        const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(real, mode));
        QVERIFY(QFile::link("real/setting.ini", dir.filePath("setting.ini")));

        // Beside the file: what a writer killed mid-write left, a temporary of a
        // writer still at work, and names that only look alike.
        const pid_t dead = ::fork();
        if (dead == 0)
            ::_exit(0);
        QVERIFY(dead > 0 && ::waitpid(dead, nullptr, 0) == dead);
        const QStringList kept = {".other.ini.tmp-" + QString::number(dead) + "-0-1",
                                  ".setting.ini.tmp-" + QString::number(::getppid()) + "-0-1", ".setting.ini.tmp-notes",
                                  "setting.ini"};
        const QString left = ".setting.ini.tmp-" + QString::number(dead) + "-3-99";
        for (const QString& name : kept.mid(0, 3) + QStringList{left})
            QVERIFY(store(dir.filePath("real/" + name), "[S]\r\nk=half"));
        // Reading, as a start does, leaves them all.
        QCOMPARE(read(dir.filePath("setting.ini"), "S", "k"), QByteArray("old"));
        QCOMPARE(entriesOf(dir.filePath("real")).size(), kept.size() + 1);

        QVERIFY(write(dir.filePath("setting.ini"), "S", "k", "new"));
        QVERIFY(QFileInfo(dir.filePath("setting.ini")).isSymLink());
        QCOMPARE(load(real), QByteArray("[S]\r\nk=new\r\n"));
        QCOMPARE(QFile::permissions(real), mode);
        QCOMPARE(entriesOf(dir.filePath("real")), kept);
    }
};

QTEST_APPLESS_MAIN(TestProfileFile)
#include "tst_ProfileFile.moc"
