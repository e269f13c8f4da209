#include "about/frmAbout.h"
#include "alarm/TimesUP.h"
#include "clock/frmClock.h"
#include "fakes/FakeDesktop.h"
#include "options/StatusBarText.h"
#include "options/frmOption.h"
#include "platform/ComboBox.h"
#include "platform/PictureBox.h"
#include "platform/TabStrip.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>

// The options dialog as it opens, its tabs and status bar, and the clock's
// mouse commands that reach it.
class TestFrmOption final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeDesktop> m_desk;

    Forms& forms() { return m_desk->module->forms(); }
    frmClock& clock() { return forms().clock(); }
    FakeMsgBox& boxes() { return m_desk->msgBox; }
    QString cue(const char* name) { return "async:" + m_desk->file(name); }

    void press(Qt::MouseButton button, const QPoint& at)
    {
        QTest::mousePress(&clock().pic1(), button, {}, at);
        QTest::mouseRelease(&clock().pic1(), button, {}, at);
    }

private slots:
    void init()
    {
        m_desk = std::make_unique<FakeDesktop>();
        // A Wednesday.
        m_desk->time.set(QDateTime(QDate(2026, 12, 9), QTime(7, 4, 55)));
        clock();
    }

    void cleanup()
    {
        QVERIFY2(boxes().allAnswered(), qPrintable("unexpected boxes: " + boxes().surprises.join(" | ")));
        m_desk.reset();
        QLocale::setDefault(QLocale::c());
    }

    void controlsStandWhereTheyAreDesigned_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("TabStrip1") << "" << QRect(16, 8, 201, 153);
        QTest::newRow("PicOption(0)") << "" << QRect(24, 40, 185, 113);
        QTest::newRow("Text_line3") << "Sec" << QRect(16, 16, 25, 18);
        QTest::newRow("Cmd_HandsDefault") << "Default" << QRect(16, 48, 49, 17);
        QTest::newRow("Combo_ClockInterface") << "Clock" << QRect(128, 48, 57, 22);
        QTest::newRow("Cmd_Alarm") << "Enable Alarm" << QRect(8, 46, 105, 23);
        QTest::newRow("Option_sound(1)") << "DingDong" << QRect(56, 96, 81, 17);
        QTest::newRow("Cmd_ChangePic") << "Customerize" << QRect(8, 24, 81, 81);
    }

    void controlsStandWhereTheyAreDesigned()
    {
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        frmOption& o = forms().options();
        const QHash<QString, QWidget*> controls{
            {"TabStrip1", &o.TabStrip1()}, {"PicOption(0)", &o.PicOption(0)}, {"Text_line3", &o.Text_line3()},
            {"Cmd_HandsDefault", &o.Cmd_HandsDefault()}, {"Combo_ClockInterface", &o.Combo_ClockInterface()},
            {"Cmd_Alarm", &o.Cmd_Alarm()}, {"Option_sound(1)", &o.alarmTab().Option_sound(1)},
            {"Cmd_ChangePic", &o.Cmd_ChangePic()}};
        QWidget* control = controls.value(QTest::currentDataTag());
        QCOMPARE(control->geometry(), geometry);
        // A screen reader reads each control by its caption.
        const auto* button = qobject_cast<QAbstractButton*>(control);
        QCOMPARE(control->accessibleName().isEmpty() && button ? button->text() : control->accessibleName(),
                 caption);
    }

    void dialogOpensWithTheClocksLookAndNoAlarm()
    {
        for (LineControl* hand : {&clock().Line1(), &clock().Line2(), &clock().Line3()})
            hand->setBorderWidth(4);
        clock().Line1().setBorderColor(255);
        frmOption& options = forms().options();
        QCOMPARE(options.windowTitle(), QString("Tansywatch"));
        QCOMPARE(options.size(), QSize(232, 193));
        QVERIFY(!options.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!options.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(options.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QCOMPARE(options.font().pointSizeF(), 8.25);
        QCOMPARE(options.CommonDialog1Filter(), QString("JPG,GIF|*.jpg;*.gif"));

        QCOMPARE(options.Text_line1().palette().color(QPalette::Base), QColor(Qt::red));
        QCOMPARE(options.Line1().BorderColor(), 255u);
        for (LineControl* hand : {&options.Line1(), &options.Line2(), &options.Line3()})
            QCOMPARE(hand->BorderWidth(), 3);

        const QList<std::pair<ComboBox*, QString>> combos{{&options.Combo_Hour(), "Hour"}, {&options.Combo_Min(), "Min"},
                                                          {&options.Combo_Border(), "Border"},
                                                          {&options.Combo_ClockInterface(), "Clock"}};
        for (const auto& [combo, text] : combos) {
            QCOMPARE(combo->currentText(), text);
            QCOMPARE(combo->ListIndex(), -1);
            QCOMPARE(combo->accessibleName(), text);
        }
        QCOMPARE(options.Combo_Hour().count(), 24);
        QCOMPARE(options.Combo_Min().itemText(59), QString("59"));
        QVERIFY(!options.Image_Alarm().Visible());
        for (int index = 0; index < 3; ++index)
            QVERIFY(!options.alarmTab().Option_sound(index).isChecked());
        QVERIFY(m_desk->sound.played.isEmpty());
    }

    void statusBarWritesTimeAndDateAsTheUserDoesAndTheWeekdayInEnglish_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("panels");
        QTest::newRow("German") << "de_DE" << QStringList{"07:04:55", "09.12.26", "Wednesday"};
        QTest::newRow("American") << "en_US" << QStringList{"7:04:55 AM", "12/9/26", "Wednesday"};
    }

    void statusBarWritesTimeAndDateAsTheUserDoesAndTheWeekdayInEnglish()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, panels);
        QLocale::setDefault(QLocale(locale));
        frmOption& options = forms().options();
        for (int panel = 1; panel <= 3; ++panel)
            QCOMPARE(options.Panel(panel).text(), panels[panel - 1]);
        // Refreshed just after the next second begins.
        QCOMPARE(options.Timer_Statusbar().interval(), 1010);
        QCOMPARE(StatusBarText::panels({QDate(2026, 12, 13), QTime(0, 0)}, QLocale(locale))[2], QString("Sunday"));
    }

    void eachTabShowsItsPageInTheSamePlace()
    {
        frmOption& options = forms().options();
        for (int tab : {2, 0}) {
            options.TabStrip1().tabBar().setCurrentIndex(tab);
            for (int page = 0; page < 4; ++page)
                QCOMPARE(options.PicOption(page).isVisibleTo(&options), page == tab);
            QCOMPARE(options.PicOption(tab).pos(), QPoint(24, 40));
        }
        QCOMPARE(m_desk->sound.played, QStringList(2, cue("do.wav")));
    }

    void rightPressOpensOneDialogAndAskForAMove()
    {
        press(Qt::RightButton, QPoint(70, 180));
        frmOption* first = &forms().options();
        QVERIFY(first->isVisible());
        press(Qt::RightButton, QPoint(30, 150));
        QCOMPARE(&forms().options(), first);
        QCOMPARE(first->Combo_Hour().count(), 24);
        QCOMPARE(m_desk->sound.played, QStringList(2, cue("quit.wav")));
        QCOMPARE(m_desk->windows.moves, 2);

        // Its close box destroys it; the next press makes a new one.
        first->close();
        QVERIFY(!forms().options.loaded());
        m_desk->processDeletes();
        press(Qt::LeftButton, QPoint(70, 180));
        QVERIFY(!forms().options.loaded());
        QCOMPARE(m_desk->windows.moves, 3);
    }

    void lockedClockStaysPutButStillOpensTheDialog()
    {
        const QRect lockArea = clock().ImageLock().geometry();
        boxes().expect("The Clock is locked!");
        press(Qt::LeftButton, lockArea.center());
        QVERIFY(clock().ClockLocked());
        press(Qt::LeftButton, QPoint(70, 180));
        press(Qt::RightButton, QPoint(70, 180));
        QCOMPARE(m_desk->windows.moves, 0);
        QVERIFY(forms().options.loaded());

        // The lock area answers only where the body is: its see-through part
        // belongs to whatever lies behind the clock.
        QPoint hole;
        for (int y = lockArea.top(); y <= lockArea.bottom() && hole.isNull(); ++y)
            for (int x = lockArea.left(); x <= lockArea.right() && hole.isNull(); ++x)
                if (!clock().mask().contains(QPoint(x, y)))
                    hole = QPoint(x, y);
        QVERIFY(!hole.isNull());
        press(Qt::LeftButton, hole);

        boxes().expect("The Clock is unlocked!");
        press(Qt::LeftButton, lockArea.center());
        QVERIFY(!clock().ClockLocked());
        press(Qt::LeftButton, QPoint(70, 180));
        QCOMPARE(m_desk->windows.moves, 1);
        QCOMPARE(m_desk->sound.played,
                 QStringList({cue("lock.wav"), cue("quit.wav"), cue("lock.wav")}));
    }

    void quittingAsksFirstAndClosesEveryWindow()
    {
        clock().show();
        forms().options().show();
        forms().about().show();
        const QPoint closeArea = clock().ImageClose().geometry().center();
        boxes().expect("Quit the program?", MsgBox::vbNo);
        press(Qt::LeftButton, closeArea);
        QVERIFY(clock().isVisible() && forms().options.loaded());
        boxes().expect("Quit the program?", MsgBox::vbYes);
        press(Qt::LeftButton, closeArea);
        QVERIFY(!forms().options.loaded() && !forms().about.loaded());
        // With no window left showing, the program ends.
        for (const QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!window->isVisible());
        QCOMPARE(m_desk->windows.moves, 0);
        QCOMPARE(boxes().shown.constFirst().style, MsgBox::vbYesNo + MsgBox::vbQuestion);
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frmOption.moc"
