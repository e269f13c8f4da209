#include "controls/ComboBox.h"
#include "controls/PictureBox.h"
#include "controls/TabStrip.h"
#include "fakes/FakeDesktop.h"
#include "options/AlarmTab.h"
#include "options/StatusBarText.h"
#include "options/frmOption.h"
#include "popup/TimesUP.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

// The options dialog as it opens, its pages and status bar, and the alarm
// armed and disarmed on its Alarm page.
class TestFrmOption final : public QObject
{
    Q_OBJECT

private:
    std::optional<FakeDesktop> m_desk;

    QList<int> clockWidths()
    {
        frmClock& clock = m_desk->clock();
        return {clock.Line1().BorderWidth(), clock.Line2().BorderWidth(), clock.Line3().BorderWidth()};
    }

    static void key(Qt::Key pressed, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), pressed, modifiers);
    }

    static void typeAndLeave(const char* text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        key(Qt::Key_Return);
        key(Qt::Key_Tab);
    }

    void enableAlarm(int hour, int minute)
    {
        frmOption& options = m_desk->forms().options();
        options.Combo_Hour().setListIndex(hour);
        options.Combo_Min().setListIndex(minute);
        m_desk->msgBox.expect(QString("Alarm is Enabled now.\r\n%1 Hr : %2 Min").arg(hour).arg(minute));
        options.Cmd_Alarm().click();
        m_desk->processDeletes();
    }

private slots:
    void init() { m_desk.emplace(); }

    void cleanup()
    {
        m_desk.reset();
        QLocale::setDefault(QLocale::c());
    }

    void dialogOpensWithTheClocksLookAndNoAlarm()
    {
        m_desk->clock();
        m_desk->forms().look().setHandWidth(4);
        m_desk->forms().look().setColor(ClockLook::Hour, 255);
        frmOption& options = m_desk->forms().options();
        QCOMPARE(options.Text_line1().palette().color(QPalette::Base), QColor(Qt::red));
        QCOMPARE(options.Line1().BorderColor(), 255u);
        for (LineControl* hand : {&options.Line1(), &options.Line2(), &options.Line3()})
            QCOMPARE(hand->BorderWidth(), 3);
        QVERIFY(!options.Image_Alarm().Visible());
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
        m_desk->time.set(QDateTime(QDate(2026, 12, 9), QTime(7, 4, 55)));
        frmOption& options = m_desk->forms().options();
        for (int panel = 1; panel <= 3; ++panel)
            QCOMPARE(options.Panel(panel).text(), panels[panel - 1]);
        QCOMPARE(StatusBarText::panels({QDate(2026, 12, 13), QTime(0, 0)}, QLocale(locale))[2], QString("Sunday"));
    }

    // As Space does, and nowhere else: not on the tab strip nor on a swatch.
    // Tab goes through the swatches as Hour, Min, Sec.
    void enterPressesOnlyTheFocusedButton()
    {
        frmOption& options = m_desk->forms().options();
        QVERIFY(shownActive(options));
        key(Qt::Key_Return);
        QTest::mouseClick(&options.Text_line1(), Qt::LeftButton);
        key(Qt::Key_Return);
        QCOMPARE(m_desk->setting(), QString("[Line]\r\nLine1=0\r\n"));
        for (QWidget* next : std::initializer_list<QWidget*>{&options.Text_line2(), &options.Text_line3(),
                                                             &options.Cmd_HandsDefault()}) {
            key(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        key(Qt::Key_Return);
        QVERIFY(m_desk->setting().contains("Border=Middle\r\n"));
    }

    // Text typed into a list is no pick, neither on Return nor on leaving the
    // field; the arrow keys pick. In the alarm's lists, each picked by arrow
    // and then typed over (select-all and 7 in the hour list, 5 in the minute
    // list): no alarm.
    void textTypedIntoAListIsNoPick()
    {
        frmOption& options = m_desk->forms().options();
        QVERIFY(shownActive(options));
        options.Combo_Border().setFocus(Qt::TabFocusReason);
        typeAndLeave("L");
        QCOMPARE(options.Combo_Border().currentText(), QString("L"));
        typeAndLeave("n");
        QCOMPARE(clockWidths(), QList<int>(3, 3));
        QCOMPARE(m_desk->windows.topmostCalls, std::vector<bool>{true});
        m_desk->msgBox.expect("The Clock is on the Top!");
        QTest::keyClick(&options.Combo_ClockInterface(), Qt::Key_Down);
        QCOMPARE(options.Combo_ClockInterface().ListIndex(), 0);

        QTest::mouseClick(&options.TabStrip1().tabBar(), Qt::LeftButton, {},
                          options.TabStrip1().tabBar().tabRect(1).center());
        QTest::mouseClick(options.Combo_Hour().lineEdit(), Qt::LeftButton);
        for (const char* typed : {"7", "5"}) {
            key(Qt::Key_Down);
            key(Qt::Key_A, Qt::ControlModifier);
            typeAndLeave(typed);
        }
        m_desk->msgBox.expect("Select Hour and Min value first.");
        QTest::mouseClick(&options.Cmd_Alarm(), Qt::LeftButton);
    }

    // Each list shows its design text whole, as wide as the text drawn alone.
    void listsShowTheirDesignTextWhole()
    {
        frmOption& options = m_desk->forms().options();
        options.show();
        const auto inkWidth = [](const QImage& image) {
            QList<int> inked;
            for (int x = 0; x < image.width(); ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (qGray(image.pixel(x, y)) < 160)
                        inked << x;
            return inked.constLast() - inked.constFirst() + 1;
        };
        for (const ComboBox* list :
             {&options.Combo_Border(), &options.Combo_ClockInterface(), &options.Combo_Hour(), &options.Combo_Min()}) {
            QImage alone(100, list->height(), QImage::Format_RGB32);
            alone.fill(Qt::white);
            QPainter painter(&alone);
            painter.setFont(list->lineEdit()->font());
            painter.drawText(alone.rect().adjusted(10, 0, 0, 0), Qt::AlignVCenter, list->currentText());
            painter.end();
            QCOMPARE(inkWidth(list->lineEdit()->grab().toImage()), inkWidth(alone));
        }
    }

    void swatchGivesItsHandTheDialogsColourEvenAfterACancel()
    {
        frmOption& options = m_desk->forms().options();
        m_desk->dialogs.colors = {QColor(Qt::green), std::nullopt, QColor(Qt::white)};
        QTest::mouseClick(&options.Text_line2(), Qt::LeftButton);
        QCOMPARE(m_desk->clock().Line2().BorderColor(), 0x00FF00u);
        QCOMPARE(options.Line2().BorderColor(), 0x00FF00u);
        QCOMPARE(options.Text_line2().palette().color(QPalette::Base), QColor(Qt::green));
        // Cancelled: the hour hand takes the green the dialog still holds.
        QTest::mouseClick(&options.Text_line1(), Qt::LeftButton);
        QCOMPARE(m_desk->clock().Line1().BorderColor(), 0x00FF00u);
        QTest::mouseClick(&options.Text_line3(), Qt::LeftButton);
        QCOMPARE(m_desk->dialogs.shownColors.back(), QColor(Qt::green));
        QCOMPARE(m_desk->setting(), QString("[Line]\r\nLine2=65280\r\nLine1=65280\r\nLine3=16777215\r\n"));
        QCOMPARE(m_desk->sound.played, QStringList(3, m_desk->cue("do.wav")));
    }

    void thicknessAndWindowModeApplyAtOnce()
    {
        frmOption& options = m_desk->forms().options();
        for (const int index : {1, 0, 2}) {
            options.Combo_Border().setListIndex(index);
            QCOMPARE(clockWidths(), QList<int>(3, index + 2));
            QCOMPARE(options.Line3().BorderWidth(), index + 1);
        }
        m_desk->msgBox.expect("The Clock is on the Top!");
        m_desk->msgBox.expect("The Clock is on the Top!");
        m_desk->msgBox.expect("The Clock is Normal Window now!");
        for (const int index : {0, 0, 1})
            options.Combo_ClockInterface().setListIndex(index);
        QCOMPARE(m_desk->windows.topmostCalls, std::vector<bool>({true, true, true, false}));
        QCOMPARE(m_desk->setting(), QString("[Line]\r\nBorder=Large\r\n[Clock]\r\nwindow=Normal\r\n"));
        QCOMPARE(m_desk->sound.played, QStringList(6, m_desk->cue("do.wav")));
    }

    // At once and silently, leaving both lists as they were.
    void defaultPutsColoursThicknessAndModeBack()
    {
        frmOption& options = m_desk->forms().options();
        m_desk->forms().look().setColor(ClockLook::Second, 0x00FF00);
        m_desk->forms().look().setHandWidth(4);
        m_desk->forms().look().setTopmost(false);
        QTest::mouseClick(&options.Cmd_HandsDefault(), Qt::LeftButton);
        QCOMPARE(m_desk->clock().Line3().BorderColor(), 255u);
        QCOMPARE(clockWidths(), QList<int>(3, 3));
        QCOMPARE(m_desk->windows.topmostCalls, std::vector<bool>({true, false, true}));
        QCOMPARE(options.Combo_ClockInterface().currentText(), QString("Clock"));
        QCOMPARE(m_desk->setting(),
                 QString("[Line]\r\nLine1=\r\nLine2=\r\nLine3=\r\nBorder=Middle\r\n[Clock]\r\nwindow=Top\r\n"));
        QCOMPARE(m_desk->sound.played, QStringList{m_desk->cue("do.wav")});
    }

    void faceComesFromAnyPictureFile()
    {
        frmOption& options = m_desk->forms().options();
        // A camera's name, with spaces and letters beyond ASCII, on a PNG.
        const QString photo = m_desk->file("Fotos vom Größten/IMG 0001.JPG");
        QVERIFY(QDir().mkpath(QFileInfo(photo).path()));
        QImage picture(100, 80, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(photo, "PNG"));
        const QString notAPicture = m_desk->file("notes.jpg");
        QFile(notAPicture).open(QIODevice::WriteOnly);
        // An empty name is a cancel: no second message.
        const auto choose = [&](const QString& file) {
            m_desk->msgBox.expect("Please open the file as 64 x 64 pixels JPG / GIF format.");
            if (!file.isEmpty())
                m_desk->msgBox.expect("You clock 's background is changed.");
            m_desk->dialogs.files = {file};
            options.Cmd_ChangePic().click();
        };

        choose(QString());
        QVERIFY(!QFile::exists(m_desk->file("setting.ini")));
        choose(photo);
        QCOMPARE(m_desk->clock().ImageBG().geometry(), QRect(40, 88, 100, 80));
        QCOMPARE(m_desk->msgBox.styles.constLast(), MsgBox::vbInformation);
        choose(notAPicture);
        QCOMPARE(m_desk->clock().ImageBG().geometry().size(), QSize(100, 80));
        QCOMPARE(m_desk->setting(), "[BG]\r\nlocation=" + notAPicture + "\r\n");
        QCOMPARE(m_desk->sound.played, QStringList(3, m_desk->cue("do.wav")));
    }

    // Without tansy.gif the face stays and no message claims otherwise.
    void defaultFaceIsTansy()
    {
        frmOption& options = m_desk->forms().options();
        QVERIFY(m_desk->forms().look().setFace(TANSY_RESOURCES_DIR "/cartoon.gif"));
        options.Cmd_Default().click();
        QCOMPARE(m_desk->setting(), QString("[BG]\r\nlocation=\r\n"));
        QCOMPARE(m_desk->clock().ImageBG().geometry().size(), QSize(70, 57));
        QVERIFY(QFile::copy(TANSY_RESOURCES_DIR "/tansy.gif", m_desk->file("tansy.gif")));
        m_desk->msgBox.expect("The Clock's BG is changed to default Tansy picture.");
        options.Cmd_Default().click();
        QCOMPARE(m_desk->clock().ImageBG().geometry(), QRect(40, 88, 64, 64));
        QCOMPARE(m_desk->sound.played, QStringList(2, m_desk->cue("do.wav")));
    }

    void tabStripShowsThePickedPage()
    {
        frmOption& options = m_desk->forms().options();
        options.TabStrip1().tabBar().setCurrentIndex(3);
        QVERIFY(options.PicOption(3).isVisibleTo(&options) && !options.PicOption(0).isVisibleTo(&options));
        QCOMPARE(m_desk->sound.played, QStringList{m_desk->cue("do.wav")});
    }

    void helpSystemTimeAndAboutHandOverWithACueEach()
    {
        frmOption& options = m_desk->forms().options();
        options.Cmd_Help().click();
        QCOMPARE(m_desk->dialogs.helpFiles, QStringList(m_desk->file("Tansywatch.hlp")));
        m_desk->launcher.startable = false;
        options.Cmd_time().click();
        QCOMPARE(m_desk->launcher.dateTimePanels, 1);
        options.Cmd_About().click();
        QVERIFY(m_desk->forms().loaded(Forms::Form::About));
        QCOMPARE(m_desk->sound.played, QStringList(3, m_desk->cue("do.wav")));
    }

    // Heard while its question is open; a Yes makes it the alarm's.
    void soundOptionPlaysAndAsksToBeTheAlarms()
    {
        AlarmTab& page = m_desk->forms().options().alarmTab();
        m_desk->msgBox.expect("Be the sound of alarm?", MsgBox::vbYes);
        page.Option_sound(2).click();
        QCOMPARE(m_desk->alarm().state().AlarmSoundFile, m_desk->file("alarm3.wav"));
        QCOMPARE(m_desk->sound.played, QStringList{m_desk->cue("alarm3.wav")});
    }

    void enableAlarmArmsItAndClosesTheDialog()
    {
        enableAlarm(7, 5);
        QVERIFY(m_desk->alarm().Timer_AlarmEnabled());
        QVERIFY(!m_desk->forms().loaded(Forms::Form::Options));
        QCOMPARE(m_desk->sound.played, QStringList{m_desk->cue("do.wav")});
    }

    // Reopened, the dialog shows the armed alarm; Disable Alarm asks, switches
    // it off and closes the dialog, and opened again it shows none.
    void alarmPageShowsTheArmedAlarmUntilDisabled()
    {
        enableAlarm(7, 5);
        frmOption& options = m_desk->forms().options();
        QCOMPARE(options.Combo_Hour().currentText(), QString("7"));
        QCOMPARE(options.Combo_Min().currentText(), QString("5"));
        QVERIFY(options.Image_Alarm().Visible());
        QCOMPARE(options.Cmd_Alarm().text(), QString("Disable Alarm"));
        m_desk->expectDisableQuestion("7 Hr : 5 Min", MsgBox::vbYes);
        options.Cmd_Alarm().click();
        m_desk->processDeletes();
        QVERIFY(!m_desk->alarm().Timer_AlarmEnabled());
        QVERIFY(!m_desk->forms().loaded(Forms::Form::Options) && !m_desk->forms().loaded(Forms::Form::Popup));
        QCOMPARE(m_desk->sound.played.mid(1), QStringList({m_desk->cue("do.wav"), m_desk->cue("quit.wav")}));
        QCOMPARE(m_desk->forms().options().Cmd_Alarm().text(), QString("Enable Alarm"));
        QVERIFY(!m_desk->forms().options().Image_Alarm().Visible());
        QCOMPARE(m_desk->forms().options().Combo_Hour().ListIndex(), -1);
    }

    void anAlarmForThisMinuteGoesOffUnderItsConfirmationAndRingsWithoutPopUp()
    {
        m_desk->time.setTime(QTime(7, 5, 10));
        m_desk->msgBox.whileOpen = [this] {
            m_desk->time.setTime(QTime(7, 5, 10, 300));
            m_desk->alarm().Timer_Alarm_Timer();
        };
        enableAlarm(7, 5);
        QVERIFY(m_desk->alarm().state().AlarmRinging);
        QVERIFY(!m_desk->forms().popup().isVisible());
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frmOption.moc"
