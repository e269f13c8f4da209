#include "TestFiles.h"
#include "settings/StartupSettings.h"

#include <QTemporaryDir>
#include <QTest>

// What start-up takes from setting.ini for the clock's look.
class TestStartupSettings final : public QObject
{
    Q_OBJECT

private:
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
        QTemporaryDir dir;
        QVERIFY(store(dir.filePath("setting.ini"), content));
        QCOMPARE(summary(StartupSettings::read(dir.filePath("setting.ini").toStdString())), taken);
    }
};

QTEST_APPLESS_MAIN(TestStartupSettings)
#include "tst_StartupSettings.moc"
