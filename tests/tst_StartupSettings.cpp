#include "platform/VbConversion.h"
#include "settings/StartupSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Stacking = StartupSettings::Stacking;

class TestStartupSettings final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::string path() const { return (m_dir.path() + "/setting.ini").toStdString(); }

    StartupSettings readFile(const QByteArray& content)
    {
        QFile file(m_dir.path() + "/setting.ini");
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the settings file");
        file.write(content);
        file.close();
        return StartupSettings::read(path());
    }

private slots:
    void init() { QFile::remove(m_dir.path() + "/setting.ini"); }

    void missingFileLeavesEverythingBuiltInAndOnTop()
    {
        const StartupSettings settings = StartupSettings::read(path());
        QVERIFY(!settings.faceLocation);
        for (const auto& color : settings.handColors)
            QVERIFY(!color);
        QVERIFY(!settings.handWidth);
        QCOMPARE(settings.stacking, Stacking::Topmost);
    }

    void aFileTheOptionsDialogWroteReadsBack()
    {
        const StartupSettings settings = readFile("[Line]\r\nLine1=255\r\nLine2=0\r\nLine3=16711680\r\nBorder=Large\r\n"
                                                  "[Clock]\r\nwindow=Normal\r\n[BG]\r\nlocation=/home/u/face.gif\r\n");
        QCOMPARE(settings.faceLocation.value_or(""), std::string("/home/u/face.gif"));
        QCOMPARE(settings.handColors[0].value_or(-1), 255);
        QCOMPARE(settings.handColors[1].value_or(-1), 0);
        QCOMPARE(settings.handColors[2].value_or(-1), 0xFF0000);
        QCOMPARE(settings.handWidth.value_or(0), 4);
        QCOMPARE(settings.stacking, Stacking::Normal);
    }

    void namesIgnoreCaseButWordsDoNot_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("stacking");
        QTest::newRow("lower-case names") << QByteArray("[line]\nborder = Small\n[CLOCK]\nWINDOW=Normal\n") << 2
                                          << int(Stacking::Normal);
        QTest::newRow("lower-case words are not known") << QByteArray("[Line]\nBorder=large\n[Clock]\nWindow=top\n")
                                                        << 3 << int(Stacking::Unchanged);
        QTest::newRow("Middle, Top") << QByteArray("[Line]\nBorder=Middle\n[Clock]\nWindow=Top\n") << 3
                                     << int(Stacking::Topmost);
        QTest::newRow("empty window mode counts as Top") << QByteArray("[Clock]\nWindow=\n") << 3
                                                          << int(Stacking::Topmost);
        QTest::newRow("long words are cut to nine characters")
            << QByteArray("[Line]\nBorder=LargeLargeLarge\n[Clock]\nWindow=Normal1234\n") << 3
            << int(Stacking::Unchanged);
        QTest::newRow("quoted words") << QByteArray("[Line]\nBorder=\"Large\"\n") << 4 << int(Stacking::Topmost);
    }

    void namesIgnoreCaseButWordsDoNot()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, width);
        QFETCH(int, stacking);
        const StartupSettings settings = readFile(content);
        QCOMPARE(settings.handWidth.value_or(3), width);
        QCOMPARE(int(settings.stacking), stacking);
    }

    void emptyValuesKeepTheBuiltInLook()
    {
        const StartupSettings settings = readFile("[Line]\nLine1=\nLine2=\nLine3=\nBorder=\n[BG]\nlocation=\n");
        QVERIFY(!settings.faceLocation);
        for (const auto& color : settings.handColors)
            QVERIFY(!color);
        QVERIFY(!settings.handWidth);
    }

    void aShortColourAfterALongOneIsNotMixedWithIt()
    {
        const StartupSettings settings = readFile("[Line]\nLine1=1234567\nLine2=8\nLine3=x\n");
        QCOMPARE(settings.handColors[0].value_or(-1), 1234567);
        QCOMPARE(settings.handColors[1].value_or(-1), 8);
        QVERIFY(!settings.handColors[2]);
    }

    void longValuesArriveCut()
    {
        const QByteArray longPath = "/" + QByteArray(1500, 'a');
        const StartupSettings settings = readFile("[BG]\nlocation=" + longPath + "\n[Line]\nLine1=0000000000000000000255\n");
        QCOMPARE(settings.faceLocation.value_or("").size(), std::size_t(999));
        // Nineteen zeros are all that is left of the colour: black.
        QCOMPARE(settings.handColors[0].value_or(-1), 0);
    }

    void colourNumbersAsUsersTypeThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "255" << true << 255;
        QTest::newRow("hexadecimal") << "&HFF0000" << true << 0xFF0000;
        QTest::newRow("all bits set") << "&HFFFFFFFF" << true << -1;
        QTest::newRow("fraction rounds half to even, down") << "254.5" << true << 254;
        QTest::newRow("fraction rounds half to even, up") << "255.5" << true << 256;
        QTest::newRow("exponent") << "1e3" << true << 1000;
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("nine hex digits") << "&H100000000" << false << 0;
        QTest::newRow("C hexadecimal is no number") << "0x10" << false << 0;
        QTest::newRow("trailing garbage") << "255px" << false << 0;
        QTest::newRow("huge exponent") << "1e999" << false << 0;
    }

    void colourNumbersAsUsersTypeThem()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto converted = VbConversion::toLong(text.toStdString());
        QCOMPARE(converted.has_value(), valid);
        if (valid)
            QCOMPARE(*converted, value);
    }
};

QTEST_APPLESS_MAIN(TestStartupSettings)
#include "tst_StartupSettings.moc"
