#include "TestFiles.h"
#include "settings/SettingsLocation.h"

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

// Where setting.ini is read from and where a change goes.
class TestSettingsLocation final : public QObject
{
    Q_OBJECT

private slots:
    // Each row: the program directory ("rw" or "ro"); the file beside the
    // program and the user's own ("-" for none, "ro" or "rw"); XDG_CONFIG_HOME
    // ("config", "empty" or "-" for unset); the file read; and the file a
    // change lands in ("program", "user" or "-" for nowhere).
    void settingsLiveBesideTheProgramOrInTheUsersHome_data()
    {
        QTest::addColumn<QString>("row");
        const auto row = [](const char* name, const char* setup) { QTest::newRow(name) << QString(setup); };
        row("a writable program directory keeps the file beside the program", "rw - rw config program program");
        row("a writable file in a read-only directory is rewritten where it is", "ro rw - config program program");
        row("read-only directory: the administrator's file is the starting point", "ro ro - config program user");
        row("read-only directory without a starting point", "ro - - config program user");
        row("XDG_CONFIG_HOME unset: ~/.config", "ro ro - - program user");
        row("XDG_CONFIG_HOME empty: ~/.config", "ro ro - empty program user");
        row("a user's file that cannot be written is read and kept", "ro ro ro config user -");
    }

    void settingsLiveBesideTheProgramOrInTheUsersHome()
    {
        QFETCH(QString, row);
        const QStringList setup = row.split(' ');
        const bool directoryWritable = setup[0] == "rw";
        const QString &programFile = setup[1], &userFile = setup[2], &configHome = setup[3];
        const QString &readFrom = setup[4], &changeLandsIn = setup[5];
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
            environment["XDG_CONFIG_HOME"] = configHome == "empty" ? "" : top.filePath(configHome).toStdString();
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
        if (changeLandsIn == "-")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not write \\[Line\\] Border=Large to "));
        QCOMPARE(location.write("Line", "Border", "Large"), changeLandsIn != "-");
        QCOMPARE(load(files["program"]), changeLandsIn == "program" ? changed : programBefore);
        QCOMPARE(load(files["user"]), changeLandsIn == "user" ? changed : userBefore);
    }
};

QTEST_APPLESS_MAIN(TestSettingsLocation)
#include "tst_SettingsLocation.moc"
