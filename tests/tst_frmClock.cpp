#include "alarm/TimesUP.h"
#include "app/Module1.h"
#include "clock/frmClock.h"
#include "clock/gifmod.h"
#include "options/frmOption.h"
#include "fakes/FakeCommonDialog.h"
#include "fakes/FakeLauncher.h"
#include "fakes/FakeMsgBox.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/FakeTimeSource.h"
#include "fakes/FakeWindowSystem.h"
#include "platform/OleColor.h"

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Start-up of the clock window from the settings beside the program, and the
// hands following a fake clock.
class TestFrmClock final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeTimeSource m_time;
    FakeSoundPlayer m_sound;
    FakeWindowSystem m_windows;
    FakeMsgBox m_msgBox;
    FakeCommonDialog m_dialogs;
    FakeLauncher m_launcher;
    FakeRegistry m_registry;
    std::unique_ptr<Module1> m_module;

    QString file(const QString& name) const { return m_dir->path() + '/' + name; }

    void writeFile(const QString& name, const QByteArray& content) const
    {
        QFile out(file(name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(name));
        out.write(content);
    }

    void writeSettings(const QByteArray& content) const { writeFile("setting.ini", content); }

    frmClock* startClock()
    {
        m_windows.topmostCalls.clear();
        m_module = std::make_unique<Module1>(
            m_dir->path(), Platform{m_time, m_sound, m_windows, m_msgBox, m_dialogs, m_launcher, m_registry});
        return &m_module->forms().clock();
    }

    static void verifyBuiltInLook(frmClock& clock)
    {
        QCOMPARE(clock.Line1().BorderColor(), OleColor::WindowText);
        QCOMPARE(clock.Line2().BorderColor(), 0x000000u);
        QCOMPARE(clock.Line3().BorderColor(), 0x0000FFu);
        for (LineControl* hand : {&clock.Line1(), &clock.Line2(), &clock.Line3()})
            QCOMPARE(hand->BorderWidth(), 3);
        QCOMPARE(clock.ImageBG().geometry(), QRect(40, 88, 64, 64));
        QVERIFY(clock.ImageBG().hasPicture());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_sound.played.clear();
        m_time.set(QDateTime(QDate(2026, 12, 7), QTime(18, 30, 45)));
    }

    void withoutSettingsTheClockHasItsBuiltInLookAndStaysOnTop()
    {
        auto clock = startClock();
        verifyBuiltInLook(*clock);
        QCOMPARE(m_windows.topmostCalls, std::vector<bool>{true});
        QCOMPARE(clock->size(), QSize(142, 198));
        QCOMPARE(clock->windowTitle(), QString("Tansywatch"));
        QVERIFY(clock->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(clock->mask(), gifmod::CreateRegionFromPicture(clock->pic1()));
        QVERIFY(!clock->mask().contains(QPoint(0, 0)));

        // No alarm at start, and nothing to hear or read.
        QVERIFY(!clock->Image_SmallAlarm().Visible());
        QVERIFY(!clock->Image_SmallAlarm().Enabled());
        QVERIFY(!clock->Timer_Alarm().isActive());
        QCOMPARE(clock->Timer_Alarm().interval(), 300);
        QVERIFY(!m_module->alarm().AlarmRinging);
        QCOMPARE(m_module->alarm().AlarmSoundFile, file("alarm1.wav"));
        QVERIFY(m_sound.played.isEmpty());
        QVERIFY(!clock->ClockLocked());
    }

    void afterEachTickTheClockWakesJustAfterTheNextSecond()
    {
        auto clock = startClock();
        m_time.setTime(QTime(18, 30, 45, 250));
        clock->Timer1_Elapsed();
        QVERIFY(clock->Timer1().isActive());
        QCOMPARE(clock->Timer1().interval(), 750 + frmClock::TickAfterSecondMs);
        QCOMPARE(QString::number(double(clock->Line3().X2()), 'f', 4), QString("20.0000"));

        m_time.setTime(QTime(18, 30, 46, 998));
        clock->Timer1_Elapsed();
        QCOMPARE(clock->Timer1().interval(), 2 + frmClock::TickAfterSecondMs);
    }

    void storedLookIsApplied_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<uint>("hourColor");
        QTest::addColumn<int>("width");
        QTest::addColumn<std::vector<bool>>("stacking");
        const std::vector<bool> top{true};
        QTest::newRow("large red hour hand, normal window")
            << QByteArray("[Line]\r\nLine1=255\r\nBorder=Large\r\n[Clock]\r\nwindow=Normal\r\n") << 255u << 4
            << std::vector<bool>{false};
        QTest::newRow("unknown words change nothing")
            << QByteArray("[Line]\nBorder=large\n[Clock]\nWindow=top\n") << uint(OleColor::WindowText) << 3
            << std::vector<bool>{};
        QTest::newRow("a number that is no colour is ignored") << QByteArray("[Line]\nLine1=-5\n")
                                                                << uint(OleColor::WindowText) << 3 << top;
    }

    void storedLookIsApplied()
    {
        QFETCH(QByteArray, settings);
        QFETCH(uint, hourColor);
        QFETCH(int, width);
        QFETCH(std::vector<bool>, stacking);
        writeSettings(settings);
        auto clock = startClock();
        QCOMPARE(clock->Line1().BorderColor(), hourColor);
        for (LineControl* hand : {&clock->Line1(), &clock->Line2(), &clock->Line3()})
            QCOMPARE(hand->BorderWidth(), width);
        QCOMPARE(m_windows.topmostCalls, stacking);
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
        QTest::newRow("text renamed .gif") << "notes.gif" << QByteArray("these are not the pixels you want\n");
        QTest::newRow("truncated GIF") << "cut.gif" << QByteArray("GIF89a\x40\x00\x40\x00\xf7\x00\x00", 13);
        QTest::newRow("empty file") << "empty.jpg" << QByteArray("");
        QTest::newRow("a directory") << "folder.gif" << QByteArray();
    }

    void unusableFacePicturesLeaveTheBuiltInFace()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        if (name == "folder.gif")
            QVERIFY(QDir(m_dir->path()).mkdir(name));
        else if (name != "missing.gif")
            writeFile(name, content);
        writeSettings("[BG]\nlocation=" + QFile::encodeName(file(name)) + "\n[Line]\nBorder=Large\n");
        auto clock = startClock();
        QCOMPARE(clock->ImageBG().geometry(), QRect(40, 88, 64, 64));
        QVERIFY(clock->ImageBG().hasPicture());
        // Start-up went on past the failed picture.
        QCOMPARE(clock->Line1().BorderWidth(), 4);
    }

    void aHugePhotoGrowsFromTheFacesCornerWithoutChangingTheOutline()
    {
        QImage photo(4000, 4000, QImage::Format_RGB32);
        photo.fill(QColor(30, 90, 160));
        QVERIFY(photo.save(file("big photo.jpg"), "JPEG", 50));
        writeSettings("[BG]\nlocation=" + QFile::encodeName(file("big photo.jpg")) + "\n");
        auto clock = startClock();
        QCOMPARE(clock->ImageBG().geometry(), QRect(40, 88, 4000, 4000));
        QCOMPARE(clock->size(), QSize(142, 198));
        QCOMPARE(clock->mask(), gifmod::CreateRegionFromPicture(clock->pic1()));
    }

    void eachTickPutsTheHandsAtTheTimeOfDay()
    {
        auto clock = startClock();
        const int before = m_time.readings();
        clock->Timer1_Timer();
        QCOMPARE(m_time.readings() - before, 3);
        QCOMPARE(QString::number(double(clock->Line3().X2()), 'f', 4), QString("20.0000"));
        QCOMPARE(QString::number(double(clock->Line3().Y2()), 'f', 4), QString("117.0444"));
        QCOMPARE(QString::number(double(clock->Line2().X2()), 'f', 4), QString("70.0255"));
        QCOMPARE(QString::number(double(clock->Line1().X2()), 'f', 4), QString("62.2540"));
        QCOMPARE(QString::number(double(clock->Line1().Y2()), 'f', 4), QString("145.9828"));
        // Thickness and colour are not the tick's business.
        QCOMPARE(clock->Line3().BorderWidth(), 3);
        QCOMPARE(clock->Line3().BorderColor(), 0x0000FFu);
    }

    void secondHandLiesOverMinuteOverHourOverFace()
    {
        auto clock = startClock();
        m_time.setTime(QTime(0, 0, 0));
        clock->Timer1_Timer();
        clock->Line1().setBorderColor(OleColor::fromRgb(0, 0, 255));
        clock->Line2().setBorderColor(OleColor::fromRgb(0, 255, 0));
        // All three hands point straight up and cross this pixel of the face.
        const QPoint shared(70, 100);
        const auto colourThere = [&clock, shared] { return clock->pic1().grab().toImage().pixelColor(shared); };
        const QColor face = [&] {
            LineControl* hands[] = {&clock->Line1(), &clock->Line2(), &clock->Line3()};
            for (LineControl* hand : hands)
                hand->setVisible(false);
            const QColor bare = colourThere();
            for (LineControl* hand : hands)
                hand->setVisible(true);
            return bare;
        }();

        QCOMPARE(colourThere(), QColor(Qt::red));
        clock->Line3().setVisible(false);
        QCOMPARE(colourThere(), QColor(Qt::green));
        clock->Line2().setVisible(false);
        QCOMPARE(colourThere(), QColor(Qt::blue));
        QVERIFY(face != QColor(Qt::blue));
    }

    void anIdleClockRepaintsOnlyWhenAHandMoves()
    {
        auto clock = startClock();
        clock->Timer1().stop();
        clock->show();
        QVERIFY(QTest::qWaitForWindowExposed(clock));
        clock->Timer1_Timer();
        QCoreApplication::processEvents();

        struct PaintCounter final : QObject
        {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        clock->pic1().installEventFilter(&counter);

        for (int tick = 0; tick < 9; ++tick) {
            m_time.advanceMs(100);
            clock->Timer1_Timer();
            QCoreApplication::processEvents();
        }
        QCOMPARE(m_time.now().time, QTime(18, 30, 45, 900));
        QCOMPARE(counter.paints, 0);

        m_time.advanceMs(100);
        clock->Timer1_Timer();
        QTRY_COMPARE(counter.paints, 1);
    }
};

QTEST_MAIN(TestFrmClock)
#include "tst_frmClock.moc"
