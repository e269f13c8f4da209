#include "platform/DisplaySession.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtLauncher.h"
#include "platform/SystemInfoRegistry.h"

#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

// What the clock hands over to the desktop: the programs it starts, the
// system-information entry and the file dialog's filter.
class TestDesktopServices final : public QObject
{
    Q_OBJECT

private:
    // Puts the named variables back as they were when the test ends.
    class SavedVariables final
    {
    public:
        explicit SavedVariables(std::initializer_list<const char*> names)
        {
            for (const char* name : names)
                m_values.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        }
        ~SavedVariables()
        {
            for (const auto& [name, set, value] : m_values)
                set ? qputenv(name, value) : qunsetenv(name);
        }

    private:
        std::vector<std::tuple<const char*, bool, QByteArray>> m_values;
    };

    static void writeProgram(const QString& path, const QByteArray& body)
    {
        QFile program(path);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n" + body);
        program.setPermissions(program.permissions() | QFile::ExeOwner);
    }

private slots:
    void programsGetTheUsersSessionNotTheClocks_data()
    {
        QTest::addColumn<QByteArray>("userPlatform");
        QTest::newRow("Wayland session, nothing chosen") << QByteArray();
        QTest::newRow("the user's own choice") << QByteArray("wayland");
    }

    void programsGetTheUsersSessionNotTheClocks()
    {
        QFETCH(QByteArray, userPlatform);
        const SavedVariables saved{"PATH", "QT_QPA_PLATFORM", "QT_XCB_NO_MITSHM", "WAYLAND_DISPLAY", "DISPLAY",
                                   "XDG_CURRENT_DESKTOP"};
        QTemporaryDir dir;
        writeProgram(dir.filePath("gnome-control-center"),
                     "{ echo \"ARGS: $*\"; env; } > \"$0.part\" && mv \"$0.part\" \"$0.out\"\n");
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + qgetenv("PATH"));
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        qputenv("DISPLAY", ":0");
        qunsetenv("QT_XCB_NO_MITSHM");
        userPlatform.isNull() ? qunsetenv("QT_QPA_PLATFORM") : qputenv("QT_QPA_PLATFORM", userPlatform);

        DisplaySession::preferX11();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), userPlatform.isNull() ? QByteArray("xcb") : userPlatform);
        QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), QByteArray("1"));

        QtLauncher launcher;
        QVERIFY(launcher.openDateTimeSettings());
        QFile out(dir.filePath("gnome-control-center.out"));
        QTRY_VERIFY_WITH_TIMEOUT(out.exists(), 10000);
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = out.readAll().split('\n');
        QVERIFY(lines.contains("ARGS: datetime"));
        QVERIFY(lines.contains("WAYLAND_DISPLAY=wayland-0"));
        const auto valueOf = [&lines](const QByteArray& name) {
            const auto line = std::find_if(lines.begin(), lines.end(),
                                           [&name](const QByteArray& entry) { return entry.startsWith(name + '='); });
            return line == lines.end() ? QByteArray() : line->mid(name.size() + 1);
        };
        QCOMPARE(valueOf("QT_QPA_PLATFORM"), userPlatform);
        QVERIFY(valueOf("QT_XCB_NO_MITSHM").isNull());
    }

    void theDesktopsOwnDateTimePanelComesFirst_data()
    {
        QTest::addColumn<QString>("desktops");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("command");
        QTest::newRow("GNOME") << "ubuntu:gnome" << "time-admin gnome-control-center" << "gnome-control-center datetime";
        QTest::newRow("Budgie named before GNOME")
            << "Budgie:GNOME" << "gnome-control-center budgie-control-center" << "budgie-control-center datetime";
        QTest::newRow("Plasma without systemsettings") << "KDE" << "time-admin kcmshell5" << "kcmshell5 kcm_clock";
        QTest::newRow("Cinnamon by its vendor name")
            << "X-Cinnamon" << "gnome-control-center cinnamon-settings" << "cinnamon-settings calendar";
        QTest::newRow("Xfce") << "XFCE" << "lxqt-admin-time time-admin" << "time-admin";
        QTest::newRow("the desktop's panel missing") << "GNOME" << "lxqt-admin-time kcmshell5" << "kcmshell5 kcm_clock";
        QTest::newRow("nothing installed") << "GNOME" << "" << "";
    }

    void theDesktopsOwnDateTimePanelComesFirst()
    {
        QFETCH(QString, desktops);
        QFETCH(QString, installed);
        QFETCH(QString, command);
        const QStringList programs = installed.split(' ', Qt::SkipEmptyParts);
        const QStringList panel = QtLauncher::dateTimePanel(
            desktops, [&programs](const QString& program) { return programs.contains(program); });
        QCOMPARE(panel.join(' '), command);
    }

    void systemInformationIsTheFirstKeyOnly()
    {
        const SavedVariables saved{"PATH"};
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/Tansy ü-XXXXXX"));
        writeProgram(dir.filePath("hardinfo"), "exit 0\n");
        const QByteArray expected = QFile::encodeName(dir.filePath("hardinfo")) + '\0';
        qputenv("PATH", QFile::encodeName(dir.path()));

        SystemInfoRegistry registry;
        Registry::HKEY key = 0;
        QCOMPARE(registry.RegOpenKeyEx(Registry::HKEY_LOCAL_MACHINE, "software\\microsoft\\shared tools\\msinfo", 0,
                                       Registry::KEY_READ_ALL, key),
                 Registry::ERROR_SUCCESS);
        QByteArray buffer(1024, '\0');
        std::uint32_t type = 0;
        std::uint32_t size = 1024;
        QCOMPARE(registry.RegQueryValueEx(key, "PATH", type, buffer, size), Registry::ERROR_SUCCESS);
        QCOMPARE(type, Registry::REG_SZ);
        QCOMPARE(buffer.left(static_cast<int>(size)), expected);
        QByteArray tooSmall(expected.size() - 1, '\0');
        QCOMPARE(registry.RegQueryValueEx(key, "PATH", type, tooSmall, size), Registry::ERROR_MORE_DATA);
        QCOMPARE(registry.RegCloseKey(key), Registry::ERROR_SUCCESS);

        QCOMPARE(registry.RegOpenKeyEx(Registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", 0,
                                       Registry::KEY_READ_ALL, key),
                 Registry::ERROR_FILE_NOT_FOUND);
        qputenv("PATH", "/nonexistent");
        QCOMPARE(registry.RegOpenKeyEx(Registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0,
                                       Registry::KEY_READ_ALL, key),
                 Registry::ERROR_FILE_NOT_FOUND);
    }

    void pictureFilesShowWhateverTheirCase()
    {
        QTemporaryDir dir;
        for (const char* name : {"IMG_0001.JPG", "face.gif", "Über mich.Jpg", "notes.png", "photo.jpeg"})
            QFile(dir.filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly);
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QtCommonDialog::prepareOpen(dialog, "JPG,GIF|*.jpg;*.gif");
        // Matching with case, as the desktops' own dialogs do.
        dialog.setFilter(dialog.filter() | QDir::CaseSensitive);
        dialog.setDirectory(dir.path());
        dialog.open();
        QCOMPARE(dialog.nameFilters().size(), 1);
        const QListView* view = dialog.findChild<QListView*>("listView");
        QVERIFY(view);
        const auto shown = [view] {
            QStringList names;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                names << view->model()->index(row, 0, view->rootIndex()).data().toString();
            names.sort();
            return names;
        };
        QTRY_COMPARE(shown(), QStringList({"IMG_0001.JPG", "face.gif", "Über mich.Jpg"}));
    }
};

QTEST_MAIN(TestDesktopServices)
#include "tst_DesktopServices.moc"
