#include "clock/HandsArithmetic.h"
#include "controls/OleColor.h"
#include "fakes/FakeDesktop.h"

#include <QFile>
#include <QImage>

// The clock window: its start-up from the settings beside the program, its
// face, the hands following a fake clock to where they have always stood,
// and what the mouse does on it.
class TestFrmClock final : public QObject
{
    Q_OBJECT

private:
    static constexpr QPoint Body{70, 180};
    std::optional<FakeDesktop> m_desk;

    void press(Qt::MouseButton button, const QPoint& at)
    {
        QTest::mousePress(&m_desk->clock().pic1(), button, {}, at);
        QTest::mouseRelease(&m_desk->clock().pic1(), button, {}, at);
    }

private slots:
    void init() { m_desk.emplace(); }
    void cleanup() { m_desk.reset(); }

    void storedLookIsApplied_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<uint>("hourColor");
        QTest::addColumn<int>("width");
        QTest::addColumn<std::vector<bool>>("stacking");
        const std::vector<bool> top{true};
        QTest::newRow("no file: the built-in look, on top") << QByteArray() << uint(OleColor::WindowText) << 3 << top;
        QTest::newRow("small hands, a normal window") << QByteArray("[Line]\nBorder=Small\n[Clock]\nwindow=Normal\n")
                                                      << uint(OleColor::WindowText) << 2 << std::vector<bool>{false};
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
        QVERIFY(settings.isNull() || store(m_desk->file("setting.ini"), settings));
        frmClock& clock = m_desk->clock();
        QCOMPARE(clock.Line1().BorderColor(), hourColor);
        for (LineControl* hand : {&clock.Line1(), &clock.Line2(), &clock.Line3()})
            QCOMPARE(hand->BorderWidth(), width);
        QCOMPARE(m_desk->windows.topmostCalls, stacking);
        QVERIFY(m_desk->sound.played.isEmpty());
    }

    void aSmallFacePictureLeavesTheBodyAroundItAlone()
    {
        QImage face(20, 20, QImage::Format_RGB32);
        face.fill(Qt::magenta);
        QVERIFY(face.save(m_desk->file("small.png"), "PNG"));
        QVERIFY(store(m_desk->file("setting.ini"), "[BG]\nlocation=small.png\n"));
        frmClock& clock = m_desk->clock();
        const QImage shown = clock.pic1().grab().toImage();
        clock.ImageBG().setVisible(false);
        const QImage body = clock.pic1().grab().toImage();
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
        QVERIFY(content.isNull() || store(m_desk->file(name), content));
        QVERIFY(store(m_desk->file("setting.ini"),
                      "[BG]\nlocation=" + QFile::encodeName(m_desk->file(name)) + "\n[Line]\nBorder=Large\n"));
        frmClock& clock = m_desk->clock();
        QCOMPARE(clock.ImageBG().geometry(), QRect(40, 88, 64, 64));
        QVERIFY(clock.ImageBG().hasPicture());
        // Start-up went on past the failed picture.
        QCOMPARE(clock.Line1().BorderWidth(), 4);
    }

    void handsShowTheTime()
    {
        m_desk->time.setTime(QTime(18, 30, 45));
        frmClock& clock = m_desk->clock();
        clock.Timer1_Timer();
        // At 18:30:45 the second hand points at 9, the minute hand at 6 and the
        // hour hand between 6 and 7.
        const QPointF centre(clock.Line1().X1(), clock.Line1().Y1());
        QVERIFY(clock.Line3().X2() < centre.x() - 45);
        QVERIFY(clock.Line2().Y2() > centre.y() + 40 && qAbs(clock.Line2().X2() - centre.x()) < 1);
        QVERIFY(clock.Line1().Y2() > centre.y() + 25 && clock.Line1().X2() < centre.x() - 5);
    }

    // The hands' tips for the centre (70, 117), to four decimals, where the
    // clock has always drawn them: its own degree factor and single-precision
    // places.
    void tipsStandWhereTheyAlwaysStood()
    {
        struct Row
        {
            const char* time;
            char hand;
            double x, y;
        };
        for (const Row& row : {Row{"03:00:00", 'h', 100.0, 116.9911}, Row{"18:30:45", 's', 20.0, 117.0444},
                               Row{"18:30:45", 'm', 70.0255, 160.0}, Row{"09:45:00", 'h', 42.2726, 105.5462},
                               Row{"12:00:00", 'h', 69.9644, 87.0}}) {
            const double s = HandsArithmetic::seconds(row.time);
            const double m = HandsArithmetic::minutes(row.time);
            const double h = HandsArithmetic::twelveHour(HandsArithmetic::hours(row.time));
            const HandsArithmetic::Tip tip = row.hand == 's' ? HandsArithmetic::secondTip(70, 117, s)
                : row.hand == 'm'                            ? HandsArithmetic::minuteTip(70, 117, m)
                                                             : HandsArithmetic::hourTip(70, 117, h, m);
            QCOMPARE(QString::number(double(tip.x), 'f', 4), QString::number(row.x, 'f', 4));
            QCOMPARE(QString::number(double(tip.y), 'f', 4), QString::number(row.y, 'f', 4));
        }
    }

    void eachTickWakesJustAfterTheNextSecond()
    {
        m_desk->time.setTime(QTime(18, 30, 45, 250));
        frmClock& clock = m_desk->clock();
        clock.Timer1_Elapsed();
        QVERIFY(clock.Timer1().isActive());
        QCOMPARE(clock.Timer1().interval(), 750 + TimeSteps::AfterNewSecondMs);
        m_desk->time.setTime(QTime(18, 30, 46, 998));
        clock.Timer1_Elapsed();
        QCOMPARE(clock.Timer1().interval(), 2 + TimeSteps::AfterNewSecondMs);
    }

    // One dialog at a time: a second press brings the same one forward. Its
    // close box destroys it, and a left press makes no new one. Every press on
    // the body starts a move.
    void rightPressOpensTheOneOptionsDialog()
    {
        press(Qt::RightButton, Body);
        QWidget* const first = m_desk->forms().loaded(Forms::Form::Options);
        QVERIFY(first && first->isVisible());
        press(Qt::RightButton, QPoint(30, 150));
        QCOMPARE(m_desk->forms().loaded(Forms::Form::Options), first);
        first->close();
        QVERIFY(!m_desk->forms().loaded(Forms::Form::Options));
        press(Qt::LeftButton, Body);
        QVERIFY(!m_desk->forms().loaded(Forms::Form::Options));
        QCOMPARE(m_desk->windows.moves, 3);
        QCOMPARE(m_desk->sound.played, QStringList(2, m_desk->cue("quit.wav")));
    }

    // Locked, the clock stays put yet still opens the dialog; a click on the
    // padlock with either button unlocks it.
    void lockStopsOnlyTheMove()
    {
        const QPoint lock = m_desk->clock().ImageLock().geometry().center();
        m_desk->msgBox.expect("The Clock is locked!");
        press(Qt::LeftButton, lock);
        press(Qt::LeftButton, Body);
        press(Qt::RightButton, Body);
        QCOMPARE(m_desk->windows.moves, 0);
        QVERIFY(m_desk->forms().loaded(Forms::Form::Options));
        m_desk->msgBox.expect("The Clock is unlocked!");
        press(Qt::RightButton, lock);
        press(Qt::LeftButton, Body);
        QCOMPARE(m_desk->windows.moves, 1);
        QCOMPARE(m_desk->sound.played,
                 QStringList({m_desk->cue("lock.wav"), m_desk->cue("quit.wav"), m_desk->cue("lock.wav")}));
    }

    void middleButtonClicksNeitherPadlockCloseAreaNorAlarm()
    {
        frmClock& clock = m_desk->clock();
        m_desk->alarmGoesOff();
        for (ImageControl* area : {&clock.ImageLock(), &clock.ImageClose(), &clock.Image_SmallAlarm()})
            press(Qt::MiddleButton, area->geometry().center());
        QVERIFY(!clock.ClockLocked());
        QCOMPARE(m_desk->windows.moves, 0);
        QVERIFY(m_desk->sound.played.isEmpty());
    }

    // No keeps everything (Yes ends the program, which the end-to-end runs see).
    void closeAreaAsksBeforeQuitting()
    {
        m_desk->forms().options();
        m_desk->msgBox.expect("Quit the program?", MsgBox::vbNo);
        press(Qt::LeftButton, m_desk->clock().ImageClose().geometry().center());
        QVERIFY(m_desk->forms().loaded(Forms::Form::Options));
        QCOMPARE(m_desk->windows.moves, 0);
        QCOMPARE(m_desk->sound.played, QStringList{m_desk->cue("quit.wav")});
    }

    // No leaves it ringing; Yes switches it off and puts away its pop-up, the
    // dialog and the small alarm clock.
    void smallAlarmClockAsksBeforeSwitchingTheAlarmOff()
    {
        m_desk->forms().options();
        m_desk->alarmGoesOff();
        ImageControl& smallAlarm = m_desk->clock().Image_SmallAlarm();
        QVERIFY(smallAlarm.Visible() && smallAlarm.Enabled());
        m_desk->expectDisableQuestion("7 Hr : 0 Min", MsgBox::vbNo);
        press(Qt::LeftButton, smallAlarm.geometry().center());
        QVERIFY(m_desk->alarm().state().AlarmRinging);
        QVERIFY(m_desk->forms().loaded(Forms::Form::Popup)->isVisible());
        m_desk->expectDisableQuestion("7 Hr : 0 Min", MsgBox::vbYes);
        press(Qt::LeftButton, smallAlarm.geometry().center());
        m_desk->processDeletes();
        QVERIFY(!m_desk->alarm().Timer_AlarmEnabled() && !m_desk->alarm().state().AlarmRinging);
        QVERIFY(!smallAlarm.Visible() && !smallAlarm.Enabled());
        QVERIFY(!m_desk->forms().loaded(Forms::Form::Popup) && !m_desk->forms().loaded(Forms::Form::Options));
        QCOMPARE(m_desk->sound.played, QStringList(2, m_desk->cue("quit.wav")));
    }
};

QTEST_MAIN(TestFrmClock)
#include "tst_frmClock.moc"
