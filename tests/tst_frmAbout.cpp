#include "about/frmAbout.h"
#include "fakes/FakeDesktop.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

// The About window: registry values read as the runtime read them, the search
// for the system-information tool, and the window's keys, link and frame.
class TestFrmAbout final : public QObject
{
    Q_OBJECT

private:
    std::optional<FakeDesktop> m_desk;

private slots:
    void init() { m_desk.emplace(); }
    void cleanup() { m_desk.reset(); }

    // Each value as the program's registry gives it: a path and its zero.
    void getKeyValueTurnsBytesIntoText_data()
    {
        QTest::addColumn<QByteArray>("data"); // null: no such key
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("keyVal");
        const QByteArray full(1023, 'x');
        // KeyVal holds "x" on entry: text replaces it.
        QTest::newRow("text") << QByteArray("/opt/Syst\xC3\xA8me info/hardinfo\0", 28) << true
                              << "/opt/Syst\u00E8me info/hardinfo";
        QTest::newRow("fills the buffer") << full + '\0' << true << QString(full);
        QTest::newRow("too long") << full + 'x' + '\0' << false << "";
        QTest::newRow("no such key") << QByteArray() << false << "";
    }

    void getKeyValueTurnsBytesIntoText()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, found);
        QFETCH(QString, keyVal);
        m_desk->registry.path = data;
        QString KeyVal = "x";
        QCOMPARE(m_desk->forms().about().GetKeyValue(Registry::HKEY_LOCAL_MACHINE,
                                                     "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", KeyVal),
                 std::optional<bool>(found));
        QCOMPARE(KeyVal, keyVal);
        // Closed, or the handle 0 of a key never opened.
        QCOMPARE(m_desk->registry.closed, std::vector<Registry::HKEY>{data.isNull() ? 0u : 1u});
    }

    // What the first value names is started as it is, unchecked; a tool that
    // will not start gets the message. (The second value, a directory to look
    // into, is one this system's registry never holds.)
    void startSysInfoStartsTheNamedToolOrSaysItCannot()
    {
        m_desk->registry.path = QByteArray("/nowhere/msinfo32\0", 18);
        m_desk->forms().about().StartSysInfo();
        m_desk->launcher.startable = false;
        m_desk->msgBox.expect("目前無法提供系統資訊");
        m_desk->forms().about().StartSysInfo();
        QCOMPARE(m_desk->launcher.started, QStringList(2, "/nowhere/msinfo32"));
    }

    // The notice wraps.
    void everyCaptionFitsWhatShowsOfItsLabel()
    {
        frmAbout& about = m_desk->forms().about();
        QVERIFY(shownActive(about));
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            const QRect visible = label->contentsRect()
                                      .marginsRemoved(QMargins(1, 1, 1, 1) * label->margin())
                                      .intersected(QRect(label->mapFrom(&about, QPoint()), about.size()));
            const QRect needed = label->fontMetrics().boundingRect(visible, int(label->alignment()) | Qt::TextWordWrap,
                                                                   label->text());
            QVERIFY2(label->text().isEmpty() || visible.contains(needed), qPrintable(label->text()));
        }
    }

    // The frame comes on the link and goes only on the bare surface, the rule
    // included; the address does not move under it.
    void linkIsFramedWhileThePointerIsOnIt()
    {
        frmAbout& about = m_desk->forms().about();
        QVERIFY(shownActive(about));
        QLabel& link = about.Label3(2);
        const QRect inside = link.rect().adjusted(1, 1, -1, -1);
        const QImage unframed = link.grab(inside).toImage();
        const QList<std::pair<QWidget*, bool>> moves{{&link, true},           {&about.lblVersion(4), true},
                                                     {&about.Image1(), true}, {&about.cmdOK(), true},
                                                     {nullptr, false},        {&link, true}};
        for (const auto& [over, framed] : moves) {
            QTest::mouseMove(about.windowHandle(), over ? over->geometry().center() : QPoint(100, 164));
            QCOMPARE(link.frameShape(), framed ? QFrame::Box : QFrame::NoFrame);
        }
        QCOMPARE(link.grab(inside).toImage(), unframed);
    }

    void linkOpensTheProgramsPage()
    {
        QTest::mouseClick(&m_desk->forms().about().Label3(2), Qt::LeftButton);
        QCOMPARE(m_desk->launcher.urls, QStringList{"https://tansywatch.example.org"});
    }

    // As a click would, after a moment.
    void accessKeyPressesTheSystemButton()
    {
        QVERIFY(shownActive(m_desk->forms().about()));
        m_desk->msgBox.expect("目前無法提供系統資訊");
        QTest::keyClick(&m_desk->forms().about(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(m_desk->msgBox.allAnswered());
    }

    // The next one starts without the frame.
    void enterAndEscBothUnloadIt()
    {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            frmAbout& about = m_desk->forms().about();
            QCOMPARE(about.Label3(2).frameShape(), QFrame::NoFrame);
            QVERIFY(shownActive(about));
            QTest::mouseMove(about.windowHandle(), about.Label3(2).geometry().center());
            QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY(!m_desk->forms().loaded(Forms::Form::About));
        }
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmAbout.moc"
