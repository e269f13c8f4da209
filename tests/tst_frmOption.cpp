#include "controls/ComboBox.h"
#include "controls/PictureBox.h"
#include "controls/TabStrip.h"
#include "fakes/FakeDesktop.h"
#include "options/StatusBarText.h"
#include "options/frmOption.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

// The options dialog as it opens, its tabs and status bar, and the clock's
// mouse commands that reach it.
class TestFrmOption final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeDesktop> m_desk;

    Program& forms() { return *m_desk->program; }
    frmClock& clock() { return m_desk->clock(); }
    FakeMsgBox& boxes() { return m_desk->msgBox; }
    QString cue(const char* name) { return m_desk->cue(name); }
    QString setting() const { return m_desk->setting(); }

    QList<int> clockWidths()
    {
        return {clock().Line1().BorderWidth(), clock().Line2().BorderWidth(), clock().Line3().BorderWidth()};
    }

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
        m_desk.reset();
        QLocale::setDefault(QLocale::c());
    }

    void dialogOpensWithTheClocksLookAndNoAlarm()
    {
        forms().look().setHandWidth(4);
        forms().look().setColor(ClockLook::Hour, 255);
        frmOption& options = forms().options();
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
        frmOption& options = forms().options();
        for (int panel = 1; panel <= 3; ++panel)
            QCOMPARE(options.Panel(panel).text(), panels[panel - 1]);
        QCOMPARE(StatusBarText::panels({QDate(2026, 12, 13), QTime(0, 0)}, QLocale(locale))[2], QString("Sunday"));
    }

    void rightPressOpensOneDialogTheLockStopsOnlyTheMoveAndQuittingAsksFirst()
    {
        press(Qt::RightButton, QPoint(70, 180));
        frmOption* first = &forms().options();
        QVERIFY(first->isVisible());
        press(Qt::RightButton, QPoint(30, 150));
        QCOMPARE(&forms().options(), first);
        QCOMPARE(m_desk->windows.moves, 2);

        // Its close box destroys it; a left press makes no new one.
        first->close();
        QVERIFY(!forms().loaded(Forms::Form::Options));
        m_desk->processDeletes();
        press(Qt::LeftButton, QPoint(70, 180));
        QVERIFY(!forms().loaded(Forms::Form::Options));
        QCOMPARE(m_desk->windows.moves, 3);

        // Locked, the clock stays put yet still opens the dialog.
        const QPoint lock = clock().ImageLock().geometry().center();
        boxes().expect("The Clock is locked!");
        press(Qt::LeftButton, lock);
        press(Qt::LeftButton, QPoint(70, 180));
        press(Qt::RightButton, QPoint(70, 180));
        QCOMPARE(m_desk->windows.moves, 3);
        QVERIFY(forms().loaded(Forms::Form::Options));
        boxes().expect("The Clock is unlocked!");
        press(Qt::RightButton, lock);
        press(Qt::LeftButton, QPoint(70, 180));
        QCOMPARE(m_desk->windows.moves, 4);

        // The middle button clicks neither the lock, the close area nor the alarm icon.
        clock().Image_SmallAlarm().setVisible(true);
        clock().Image_SmallAlarm().setEnabled(true);
        for (ImageControl* area : {&clock().ImageLock(), &clock().ImageClose(), &clock().Image_SmallAlarm()})
            press(Qt::MiddleButton, area->geometry().center());
        QVERIFY(!clock().ClockLocked());
        QCOMPARE(m_desk->sound.played,
                 QStringList({cue("quit.wav"), cue("quit.wav"), cue("lock.wav"), cue("quit.wav"), cue("lock.wav")}));

        // The close area asks first and moves nothing; No keeps everything
        // (Yes ends the program, which the end-to-end runs see).
        boxes().expect("Quit the program?", MsgBox::vbNo);
        press(Qt::LeftButton, clock().ImageClose().geometry().center());
        QVERIFY(forms().loaded(Forms::Form::Options));
        QCOMPARE(m_desk->windows.moves, 4);
    }

    // Enter presses the button that has the focus, as Space does, and nothing
    // else: not on the tab strip, a swatch or a list. Text typed into a list
    // is no pick, neither on Return nor on leaving the field; the arrow keys
    // pick. Tab goes through the swatches as Hour, Min, Sec.
    void keysPressOnlyTheFocusedButtonAndPickOnlyFromTheList()
    {
        press(Qt::RightButton, QPoint(70, 180));
        frmOption& options = forms().options();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        const auto key = [](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), pressed, modifiers);
        };
        const auto typeAndLeave = [&](const char* text) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            key(Qt::Key_Return);
            key(Qt::Key_Tab);
        };
        key(Qt::Key_Return);
        QTest::mouseClick(&options.Text_line1(), Qt::LeftButton);
        key(Qt::Key_Return);
        QCOMPARE(setting(), QString("[Line]\r\nLine1=0\r\n"));
        for (QWidget* next : std::initializer_list<QWidget*>{&options.Text_line2(), &options.Text_line3(),
                                                             &options.Cmd_HandsDefault()}) {
            key(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        key(Qt::Key_Return);
        QVERIFY(setting().contains("Border=Middle\r\n"));
        key(Qt::Key_Tab);
        typeAndLeave("L");
        QCOMPARE(options.Combo_Border().currentText(), QString("L"));
        typeAndLeave("n");
        QCOMPARE(clockWidths(), QList<int>(3, 3));
        QCOMPARE(m_desk->windows.topmostCalls, std::vector<bool>({true, true}));
        boxes().expect("The Clock is on the Top!");
        QTest::keyClick(&options.Combo_ClockInterface(), Qt::Key_Down);
        QCOMPARE(options.Combo_ClockInterface().ListIndex(), 0);

        // Each list picked by arrow, then typed over (select-all and 7 in the
        // hour list, 5 in the minute list): no alarm.
        QTest::mouseClick(&options.TabStrip1().tabBar(), Qt::LeftButton, {},
                          options.TabStrip1().tabBar().tabRect(1).center());
        QTest::mouseClick(options.Combo_Hour().lineEdit(), Qt::LeftButton);
        for (const char* typed : {"7", "5"}) {
            key(Qt::Key_Down);
            key(Qt::Key_A, Qt::ControlModifier);
            typeAndLeave(typed);
        }
        boxes().expect("Select Hour and Min value first.");
        QTest::mouseClick(&options.Cmd_Alarm(), Qt::LeftButton);
    }

    // Each list shows its design text whole, as wide as the text drawn alone.
    void listsShowTheirDesignTextWhole()
    {
        frmOption& options = forms().options();
        options.show();
        const auto inkWidth = [](const QImage& image) {
            int left = image.width();
            int right = -1;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (qGray(image.pixel(x, y)) < 160) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
            }
            return right - left + 1;
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
        frmOption& options = forms().options();
        m_desk->dialogs.colors = {QColor(Qt::green), std::nullopt, QColor(Qt::white)};
        QTest::mouseClick(&options.Text_line2(), Qt::LeftButton);
        QCOMPARE(clock().Line2().BorderColor(), 0x00FF00u);
        QCOMPARE(options.Line2().BorderColor(), 0x00FF00u);
        QCOMPARE(options.Text_line2().palette().color(QPalette::Base), QColor(Qt::green));
        // Cancelled: the hour hand takes the green the dialog still holds.
        QTest::mouseClick(&options.Text_line1(), Qt::LeftButton);
        QCOMPARE(clock().Line1().BorderColor(), 0x00FF00u);
        QTest::mouseClick(&options.Text_line3(), Qt::LeftButton);
        QCOMPARE(m_desk->dialogs.shownColors.back(), QColor(Qt::green));
        QCOMPARE(setting(), QString("[Line]\r\nLine2=65280\r\nLine1=65280\r\nLine3=16777215\r\n"));
        QCOMPARE(m_desk->sound.played, QStringList(3, cue("do.wav")));
    }

    void thicknessAndModeApplyAtOnceAndDefaultPutsThemBack()
    {
        frmOption& options = forms().options();
        for (const int index : {1, 0, 2}) {
            options.Combo_Border().setListIndex(index);
            QCOMPARE(clockWidths(), QList<int>(3, index + 2));
            QCOMPARE(options.Line3().BorderWidth(), index + 1);
        }
        boxes().expect("The Clock is on the Top!");
        boxes().expect("The Clock is on the Top!");
        boxes().expect("The Clock is Normal Window now!");
        for (const int index : {0, 0, 1})
            options.Combo_ClockInterface().setListIndex(index);

        // Default puts colours, thickness and mode back at once and silently,
        // leaving both lists as they were.
        m_desk->dialogs.colors = {QColor(Qt::green)};
        QTest::mouseClick(&options.Text_line3(), Qt::LeftButton);
        options.Combo_Border().setEditText("Border");
        QTest::mouseClick(&options.Cmd_HandsDefault(), Qt::LeftButton);
        QCOMPARE(clock().Line3().BorderColor(), 255u);
        QCOMPARE(clockWidths(), QList<int>(3, 3));
        QCOMPARE(options.Text_line3().palette().color(QPalette::Base), QColor(Qt::red));
        QCOMPARE(m_desk->windows.topmostCalls, std::vector<bool>({true, true, true, false, true}));
        QCOMPARE(options.Combo_ClockInterface().currentText(), QString("Normal"));
        QCOMPARE(setting(),
                 QString("[Line]\r\nBorder=Middle\r\nLine3=\r\nLine1=\r\nLine2=\r\n[Clock]\r\nwindow=Top\r\n"));
        QCOMPARE(m_desk->sound.played.size(), 8);
    }

    void faceComesFromAnyPictureFileAndGoesBackToTansy()
    {
        frmOption& options = forms().options();
        const QString hint = "Please open the file as 64 x 64 pixels JPG / GIF format.";
        const QString changed = "You clock 's background is changed.";
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
            boxes().expect(hint);
            if (!file.isEmpty())
                boxes().expect(changed);
            m_desk->dialogs.files = {file};
            options.Cmd_ChangePic().click();
        };

        choose(QString());
        QVERIFY(!QFile::exists(m_desk->file("setting.ini")));
        choose(photo);
        QCOMPARE(clock().ImageBG().geometry(), QRect(40, 88, 100, 80));
        QCOMPARE(boxes().styles.constLast(), MsgBox::vbInformation);
        choose(notAPicture);
        QCOMPARE(clock().ImageBG().geometry().size(), QSize(100, 80));
        QCOMPARE(setting(), "[BG]\r\nlocation=" + notAPicture + "\r\n");

        // Without tansy.gif the face stays and no message claims otherwise.
        options.Cmd_Default().click();
        QCOMPARE(setting(), QString("[BG]\r\nlocation=\r\n"));
        QCOMPARE(clock().ImageBG().geometry().size(), QSize(100, 80));
        QVERIFY(QFile::copy(TANSY_RESOURCES_DIR "/tansy.gif", m_desk->file("tansy.gif")));
        boxes().expect("The Clock's BG is changed to default Tansy picture.");
        options.Cmd_Default().click();
        QCOMPARE(clock().ImageBG().geometry(), QRect(40, 88, 64, 64));
        QCOMPARE(m_desk->sound.played, QStringList(5, cue("do.wav")));
    }

    void helpSystemTimeAndAboutHandOverWithACueEach()
    {
        frmOption& options = forms().options();
        // Help lies on the last page.
        options.TabStrip1().tabBar().setCurrentIndex(3);
        QVERIFY(options.PicOption(3).isVisibleTo(&options) && !options.PicOption(0).isVisibleTo(&options));
        options.Cmd_Help().click();
        QCOMPARE(m_desk->dialogs.helpFiles, QStringList(m_desk->file("Tansywatch.hlp")));
        m_desk->launcher.startable = false;
        options.Cmd_time().click();
        QCOMPARE(m_desk->launcher.dateTimePanels, 1);
        options.Cmd_About().click();
        QVERIFY(forms().loaded(Forms::Form::About));
        QCOMPARE(m_desk->sound.played, QStringList(4, cue("do.wav")));
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frmOption.moc"
