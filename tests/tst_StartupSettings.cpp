#include "TestFiles.h"
#include "settings/SettingsLocation.h"
#include "settings/StartupSettings.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include <unistd.h>

namespace {

constexpr auto ReadOnly = QFile::ReadOwner | QFile::ExeOwner;
constexpr auto Writable = ReadOnly | QFile::WriteOwner;

// mode: "rw" or "ro".
bool storeAs(const QString& path, const QByteArray& content, const QString& mode)
{
    return store(path, content) && QFile::setPermissions(path, mode == "rw" ? Writable : ReadOnly);
}

// As Notepad's "Unicode" saves it.
QByteArray utf16(const QString& text)
{
    return QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char*>(text.utf16()), 2 * int(text.size()));
}

// Root may write anywhere, so the location checks run as nobody.
struct AsNobody
{
    const bool switched = ::geteuid() == 0 && ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    const bool usable = ::geteuid() != 0;
    ~AsNobody()
    {
        if (switched && ::seteuid(0) == 0)
            (void)::setegid(0);
    }
};

} // namespace

class TestStartupSettings final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // What the clock takes from a file, in one line: face | hour, minute and second
    // colour | thickness | window mode, with "-" where the built-in value stays.
    static QString summary(const StartupSettings& settings)
    {
        const auto text = [](const auto& value) { return value ? QString::number(*value) : QString("-"); };
        const QString stacking = !settings.topmost ? "Unchanged" : *settings.topmost ? "Topmost" : "Normal";
        return QString("%1 | %2 %3 %4 | %5 | %6")
            .arg(settings.faceLocation ? QString::fromStdString(*settings.faceLocation) : QString("-"),
                 text(settings.handColors[0]), text(settings.handColors[1]), text(settings.handColors[2]),
                 text(settings.handWidth), stacking);
    }

private slots:
    void whatTheClockTakesFromTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("taken");
        QTest::newRow("empty values keep the built-in look")
            << QByteArray("[Line]\nLine1=\nLine2=\nLine3=\nBorder=\n[BG]\nlocation=\n[Clock]\nwindow=\n")
            << "- | - - - | 3 | Topmost";
        QTest::newRow("a short colour after a long one is not mixed with it")
            << QByteArray("[Line]\nLine1=1234567\nLine2=8\nLine3=x\n") << "- | 1234567 8 - | 3 | Topmost";
        // Nineteen zeros are all that is left of the colour: black.
        QTest::newRow("long values arrive cut")
            << "[BG]\nlocation=/" + QByteArray(1500, 'a') + "\n[Line]\nLine1=0000000000000000000255\n"
            << "/" + QString(998, 'a') + " | 0 - - | 3 | Topmost";
        // As VB reads numbers: &H in either case, halves rounded to even.
        QTest::newRow("colours as users type them")
            << QByteArray("[Line]\nLine1=&hFF\nLine2=254.5\nLine3=255.5\n") << "- | 255 254 256 | 3 | Topmost";
        QTest::newRow("colours that are no long numbers")
            << QByteArray("[Line]\nLine1=2147483648\nLine2=0x10\nLine3=1e999\n") << "- | - - - | 3 | Topmost";
    }

    void whatTheClockTakesFromTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, taken);
        const QString path = m_dir.filePath("setting.ini");
        QVERIFY(store(path, content));
        QCOMPARE(summary(StartupSettings::read(path.toStdString())), taken);
    }

    void settingsLiveBesideTheProgramOrInTheUsersHome_data()
    {
        QTest::addColumn<bool>("directoryWritable");
        QTest::addColumn<QString>("programFile"); // "-": none, "ro" or "rw"
        QTest::addColumn<QString>("configHome");  // "-": unset
        QTest::addColumn<QString>("userFile");    // as programFile
        QTest::addColumn<QString>("readFrom");
        QTest::addColumn<QString>("changeLandsIn"); // "-": nowhere
        QTest::newRow("a writable program directory keeps the file beside the program") << true << "-"
                                                                                        << "config"
                                                                                        << "rw"
                                                                                        << "program"
                                                                                        << "program";
        QTest::newRow("a writable file in a read-only directory is rewritten where it is") << false << "rw"
                                                                                           << "config"
                                                                                           << "-"
                                                                                           << "program"
                                                                                           << "program";
        QTest::newRow("read-only directory: the administrator's file is the starting point") << false << "ro"
                                                                                             << "config"
                                                                                             << "-"
                                                                                             << "program"
                                                                                             << "user";
        QTest::newRow("read-only directory without a starting point") << false << "-"
                                                                      << "config"
                                                                      << "-"
                                                                      << "program"
                                                                      << "user";
        QTest::newRow("XDG_CONFIG_HOME unset: ~/.config") << false << "ro"
                                                          << "-"
                                                          << "-"
                                                          << "program"
                                                          << "user";
        QTest::newRow("XDG_CONFIG_HOME empty: ~/.config") << false << "ro"
                                                          << ""
                                                          << "-"
                                                          << "program"
                                                          << "user";
        QTest::newRow("a user's file that cannot be written is read and kept") << false << "ro"
                                                                               << "config"
                                                                               << "ro"
                                                                               << "user"
                                                                               << "-";
    }

    void settingsLiveBesideTheProgramOrInTheUsersHome()
    {
        QFETCH(bool, directoryWritable);
        QFETCH(QString, programFile);
        QFETCH(QString, configHome);
        QFETCH(QString, userFile);
        QFETCH(QString, readFrom);
        QFETCH(QString, changeLandsIn);
        const AsNobody nobody;
        if (!nobody.usable)
            QSKIP("running as root and unable to become nobody, so no directory is read-only");
        QTemporaryDir root;
        const QDir top(root.path());
        const QString program = top.filePath("program");
        const QString user = top.filePath(configHome == "config" ? "config/tansywatch" : "home/.config/tansywatch");
        const QMap<QString, QString> files{{"program", program + "/setting.ini"}, {"user", user + "/setting.ini"}};
        // A comment and a key the clock does not know, in UTF-16.
        const QString administrators = QString::fromUtf8(
            "; the office look\r\n[Line]\r\nBorder=Small\r\nPlaque=\u6642\r\n");
        QVERIFY(top.mkpath(program) && (userFile == "-" || top.mkpath(user)));
        QVERIFY(programFile == "-" || storeAs(files["program"], utf16(administrators), programFile));
        QVERIFY(userFile == "-" || storeAs(files["user"], "[Line]\r\nBorder=Middle\r\n", userFile));
        QVERIFY(QFile::setPermissions(program, directoryWritable ? Writable : ReadOnly));
        const auto removable = qScopeGuard([&program] { QFile::setPermissions(program, Writable); });
        std::map<std::string, std::string> environment{{"HOME", top.filePath("home").toStdString()}};
        if (configHome != "-")
            environment["XDG_CONFIG_HOME"] = configHome.isEmpty() ? "" : top.filePath(configHome).toStdString();
        const auto lookup = [&environment](const char* name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            return found == environment.end() ? std::nullopt : std::optional<std::string>(found->second);
        };

        const SettingsLocation location = SettingsLocation::find(program.toStdString(), lookup);
        QCOMPARE(QString::fromStdString(location.readPath()), files[readFrom]);
        QCOMPARE(QDir(user).exists(), userFile != "-"); // finding it made nothing

        const QByteArray programBefore = load(files["program"]);
        const QByteArray userBefore = load(files["user"]);
        const bool fromAdministrators = programFile != "-" && (changeLandsIn == "program" || userFile == "-");
        const QByteArray changed = fromAdministrators ? utf16(QString(administrators).replace("Small", "Large"))
                                                      : QByteArray("[Line]\r\nBorder=Large\r\n");
        QCOMPARE(location.write("Line", "Border", "Large"), changeLandsIn != "-");
        QCOMPARE(load(files["program"]), changeLandsIn == "program" ? changed : programBefore);
        QCOMPARE(load(files["user"]), changeLandsIn == "user" ? changed : userBefore);
    }
};

QTEST_APPLESS_MAIN(TestStartupSettings)
#include "tst_StartupSettings.moc"
