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
    static void writeProgram(const QString& path, const QByteArray& body)
    {
        QFile program(path);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n" + body);
        program.setPermissions(program.permissions() | QFile::ExeOwner);
    }

private slots:
    // A Wayland session runs the clock through XWayland when that is there and
    // the user chose nothing else; what is started for the user runs as the
    // session would run it.
    void programsGetTheUsersSessionNotTheClocks_data()
    {
        QTest::addColumn<QString>("session");
        QTest::addColumn<QByteArray>("clockPlatform"); // empty: Qt's own choice
        QTest::newRow("Wayland with XWayland") << "WAYLAND_DISPLAY=wayland-0 DISPLAY=:0" << QByteArray("xcb");
        QTest::newRow("the user's own choice")
            << "WAYLAND_DISPLAY=wayland-0 DISPLAY=:0 QT_QPA_PLATFORM=wayland" << QByteArray("wayland");
        QTest::newRow("Wayland named only by the session type")
            << "XDG_SESSION_TYPE=wayland DISPLAY=:1" << QByteArray("xcb");
        QTest::newRow("Wayland without XWayland")
            << "WAYLAND_DISPLAY=wayland-0 XDG_SESSION_TYPE=wayland" << QByteArray();
        QTest::newRow("X11 session") << "XDG_SESSION_TYPE=x11 DISPLAY=:0" << QByteArray();
    }

    void programsGetTheUsersSessionNotTheClocks()
    {
        QFETCH(QString, session);
        QFETCH(QByteArray, clockPlatform);
        for (const char* name :
             {"QT_QPA_PLATFORM", "QT_XCB_NO_MITSHM", "WAYLAND_DISPLAY", "DISPLAY", "XDG_SESSION_TYPE"})
            qunsetenv(name);
        for (const QString& variable : session.split(' '))
            qputenv(variable.section('=', 0, 0).toLatin1().constData(), variable.section('=', 1).toLatin1());
        const QByteArray userPlatform = qgetenv("QT_QPA_PLATFORM");
        QTemporaryDir dir;
        writeProgram(dir.filePath("gnome-control-center"),
                     "{ echo \"ARGS: $*\"; env; } > \"$0.part\" && mv \"$0.part\" \"$0.out\"\n");
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + qgetenv("PATH"));
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");

        DisplaySession::preferX11();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), clockPlatform);
        QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), QByteArray("1"));

        QtLauncher launcher;
        QVERIFY(launcher.openDateTimeSettings());
        QFile out(dir.filePath("gnome-control-center.out"));
        QTRY_VERIFY_WITH_TIMEOUT(out.exists(), 10000);
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLocal8Bit(out.readAll()).split('\n');
        QVERIFY(lines.contains("ARGS: datetime"));
        QCOMPARE(lines.filter(QRegularExpression("^QT_QPA_PLATFORM=")),
                 userPlatform.isNull() ? QStringList() : QStringList("QT_QPA_PLATFORM=" + userPlatform));
        QVERIFY(lines.filter(QRegularExpression("^QT_XCB_NO_MITSHM=")).isEmpty());
    }

    void systemInformationIsTheFirstKeyOnly()
    {
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
