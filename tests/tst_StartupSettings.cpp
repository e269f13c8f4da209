#include "platform/VbConversion.h"
#include "settings/StartupSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
        const char* const stacking[] = {"Topmost", "Normal", "Unchanged"};
        return QString("%1 | %2 %3 %4 | %5 | %6")
            .arg(settings.faceLocation ? QString::fromStdString(*settings.faceLocation) : QString("-"),
                 text(settings.handColors[0]), text(settings.handColors[1]), text(settings.handColors[2]),
                 text(settings.handWidth), stacking[int(settings.stacking)]);
    }

private slots:
    void whatTheClockTakesFromTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("taken");
        QTest::newRow("empty values keep the built-in look")
            << QByteArray("[Line]\nLine1=\nLine2=\nLine3=\nBorder=\n[BG]\nlocation=\n[Clock]\nwindow=\n")
            << "- | - - - | - | Topmost";
        QTest::newRow("a file the options dialog wrote")
            << QByteArray("[Line]\r\nLine1=255\r\nLine2=0\r\nLine3=16711680\r\nBorder=Large\r\n"
                          "[Clock]\r\nwindow=Normal\r\n[BG]\r\nlocation=/home/u/face.gif\r\n")
            << "/home/u/face.gif | 255 0 16711680 | 4 | Normal";
        QTest::newRow("Middle, Top") << QByteArray("[Line]\nBorder=Middle\n[Clock]\nWindow=Top\n")
                                     << "- | - - - | 3 | Topmost";
        QTest::newRow("a short colour after a long one is not mixed with it")
            << QByteArray("[Line]\nLine1=1234567\nLine2=8\nLine3=x\n") << "- | 1234567 8 - | - | Topmost";
        // Nineteen zeros are all that is left of the colour: black.
        QTest::newRow("long values arrive cut")
            << "[BG]\nlocation=/" + QByteArray(1500, 'a') + "\n[Line]\nLine1=0000000000000000000255\n"
            << "/" + QString(998, 'a') + " | 0 - - | - | Topmost";
    }

    void whatTheClockTakesFromTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, taken);
        const QString path = m_dir.filePath("setting.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        QCOMPARE(summary(StartupSettings::read(path.toStdString())), taken);
    }

    void colourNumbersAsUsersTypeThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // "-": refused
        QTest::newRow("hexadecimal") << "&HFF0000" << "16711680";
        QTest::newRow("lower-case hexadecimal prefix") << "&hFF" << "255";
        QTest::newRow("all bits set") << "&HFFFFFFFF" << "-1";
        QTest::newRow("fraction rounds half to even, down") << "254.5" << "254";
        QTest::newRow("fraction rounds half to even, up") << "255.5" << "256";
        QTest::newRow("exponent") << "1e3" << "1000";
        QTest::newRow("too large") << "2147483648" << "-";
        QTest::newRow("nine hex digits") << "&H100000000" << "-";
        QTest::newRow("C hexadecimal is no number") << "0x10" << "-";
        QTest::newRow("huge exponent") << "1e999" << "-";
    }

    void colourNumbersAsUsersTypeThem()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        const auto converted = VbConversion::toLong(text.toStdString());
        QCOMPARE(converted ? QString::number(*converted) : QString("-"), value);
    }
};

QTEST_APPLESS_MAIN(TestStartupSettings)
#include "tst_StartupSettings.moc"
