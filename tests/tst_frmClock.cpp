#include "controls/OleColor.h"
#include "fakes/FakeDesktop.h"

#include <QFile>
#include <QImage>
#include <QTest>

// Start-up of the clock window from the settings beside the program, and the
// hands following a fake clock.
class TestFrmClock final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeDesktop> m_desk;

    QString file(const QString& name) const { return m_desk->file(name); }

    void writeSettings(const QByteArray& content) const { QVERIFY(store(file("setting.ini"), content)); }

    // The clock reads its settings as it loads.
    frmClock* startClock() { return &m_desk->program->clock(); }

private slots:
    void init()
    {
        m_desk = std::make_unique<FakeDesktop>();
        m_desk->time.set(QDateTime(QDate(2026, 12, 7), QTime(18, 30, 45)));
    }

    void cleanup() { m_desk.reset(); }

    void storedLookIsApplied_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<uint>("hourColor");
        QTest::addColumn<int>("width");
        QTest::addColumn<std::vector<bool>>("stacking");
        const std::vector<bool> top{true};
        QTest::newRow("no file: the built-in look, on top") << QByteArray() << uint(OleColor::WindowText) << 3 << top;
        QTest::newRow("unknown words change nothing") << QByteArray("[Line]\nBorder=large\n[Clock]\nWindow=top\n")
                                                      << uint(OleColor::WindowText) << 3 << std::vector<bool>{};
        QTest::newRow("the last desktop colour is one")
            << QByteArray("[Line]\nLine1=&H80000018\n") << 0x80000018u << 3 << top;
        QTest::newRow("one past it is no colour and is ignored")
            << QByteArray("[Line]\nLine1=&H80000019\n") << uint(OleColor::WindowText) << 3 << top;
    }

    void storedLookIsApplied()
    {
        QFETCH(QByteArray, settings);
        QFETCH(uint, hourColor);
        QFETCH(int, width);
        QFETCH(std::vector<bool>, stacking);
        if (!settings.isNull())
            writeSettings(settings);
        auto clock = startClock();
        QCOMPARE(clock->Line1().BorderColor(), hourColor);
        for (LineControl* hand : {&clock->Line1(), &clock->Line2(), &clock->Line3()})
            QCOMPARE(hand->BorderWidth(), width);
        QCOMPARE(m_desk->windows.topmostCalls, stacking);
        QVERIFY(m_desk->sound.played.isEmpty());
    }

    // A change goes into the file beside what a hand-edited one held, and the
    // next start reads it back.
    void lookGoesThroughTheFileToTheNextStart()
    {
        writeSettings("; mine\r\n[Line]\r\nLine1=255\r\n");
        const LookSettings settings(*m_desk->module, m_desk->program->look());
        settings.changeHandWidth(2);
        settings.changeTopmost(false);
        QCOMPARE(m_desk->setting(), "; mine\r\n[Line]\r\nLine1=255\r\nBorder=Small\r\n[Clock]\r\nwindow=Normal\r\n");
        ClockLook next(m_desk->directory.path());
        LookSettings(*m_desk->module, next).read();
        QCOMPARE(QList<qint64>({next.color(1), next.handWidth(), *next.topmost()}), QList<qint64>({255, 2, 0}));
    }

    void aSmallFacePictureLeavesTheBodyAroundItAlone()
    {
        QImage face(20, 20, QImage::Format_RGB32);
        face.fill(Qt::magenta);
        QVERIFY(face.save(file("small.png"), "PNG"));
        writeSettings("[BG]\nlocation=small.png\n");
        auto clock = startClock();
        const QImage shown = clock->pic1().grab().toImage();
        clock->ImageBG().setVisible(false);
        const QImage body = clock->pic1().grab().toImage();
        QCOMPARE(shown.pixelColor(45, 95), QColor(Qt::magenta));
        // Just right of and just below the picture, inside the built-in face's square.
        for (const QPoint beside : {QPoint(60, 95), QPoint(45, 108)})
            QCOMPARE(shown.pixelColor(beside), body.pixelColor(beside));
    }

    void unusableFacePicturesLeaveTheBuiltInFace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing file") << "missing.gif" << QByteArray();
        QTest::newRow("truncated GIF") << "cut.gif" << QByteArray("GIF89a\x40\x00\x40\x00\xf7\x00\x00", 13);
    }

    void unusableFacePicturesLeaveTheBuiltInFace()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QVERIFY(content.isNull() || store(file(name), content));
        writeSettings("[BG]\nlocation=" + QFile::encodeName(file(name)) + "\n[Line]\nBorder=Large\n");
        auto clock = startClock();
        QCOMPARE(clock->ImageBG().geometry(), QRect(40, 88, 64, 64));
        QVERIFY(clock->ImageBG().hasPicture());
        // Start-up went on past the failed picture.
        QCOMPARE(clock->Line1().BorderWidth(), 4);
    }

    void eachTickPutsTheHandsAtTheTimeAndWakesJustAfterTheNextSecond()
    {
        auto clock = startClock();
        clock->Timer1_Timer();
        // At 18:30:45 the second hand points at 9, the minute hand at 6 and the
        // hour hand between 6 and 7.
        const QPointF centre(clock->Line1().X1(), clock->Line1().Y1());
        QVERIFY(clock->Line3().X2() < centre.x() - 45);
        QVERIFY(clock->Line2().Y2() > centre.y() + 40 && qAbs(clock->Line2().X2() - centre.x()) < 1);
        QVERIFY(clock->Line1().Y2() > centre.y() + 25 && clock->Line1().X2() < centre.x() - 5);

        m_desk->time.setTime(QTime(18, 30, 45, 250));
        clock->Timer1_Elapsed();
        QVERIFY(clock->Timer1().isActive());
        QCOMPARE(clock->Timer1().interval(), 750 + TimeSteps::AfterNewSecondMs);
        m_desk->time.setTime(QTime(18, 30, 46, 998));
        clock->Timer1_Elapsed();
        QCOMPARE(clock->Timer1().interval(), 2 + TimeSteps::AfterNewSecondMs);
    }
};

QTEST_MAIN(TestFrmClock)
#include "tst_frmClock.moc"
