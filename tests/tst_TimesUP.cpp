#include "controls/PictureBox.h"
#include "fakes/FakeDesktop.h"
#include "popup/TimesUP.h"

// The pop-up of an alarm that went off.
class TestTimesUP final : public QObject
{
    Q_OBJECT

private slots:
    // Held on its letters with any button, it follows the pointer; only the
    // release asks the question.
    void dragMovesItAndOnlyItsEndAsks()
    {
        FakeDesktop desk;
        desk.alarmGoesOff();
        TimesUP& popup = desk.forms().popup();
        QVERIFY(!popup.mask().isEmpty());
        const QPoint grip = popup.mask().begin()->center();
        const QPoint start = popup.pos();
        QTest::mousePress(&popup.pic1(), Qt::RightButton, {}, grip);
        QMouseEvent drag(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)),
                         popup.pic1().mapToGlobal(QPointF(grip + QPoint(30, 20))), Qt::NoButton, Qt::RightButton, {});
        QCoreApplication::sendEvent(&popup.pic1(), &drag);
        QCOMPARE(popup.pos(), start + QPoint(30, 20));
        desk.expectDisableQuestion("7 Hr : 0 Min", MsgBox::vbNo);
        QTest::mouseRelease(&popup.pic1(), Qt::RightButton, {}, grip);
        QCOMPARE(popup.pos(), start + QPoint(30, 20));
        QVERIFY(desk.alarm().state().AlarmRinging);
    }
};

QTEST_MAIN(TestTimesUP)
#include "tst_TimesUP.moc"
