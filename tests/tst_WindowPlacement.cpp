#include "platform/WindowPlacement.h"

#include <QTest>

// Where a window opens beside the one it belongs to.
class TestWindowPlacement final : public QObject
{
    Q_OBJECT

private slots:
    // A 234 x 214 window beside its owner on a 1024 x 768 screen whose top
    // 24 pixels are a panel's.
    void windowOpensBesideItsOwnerInsideTheWorkArea_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("right, tops in line") << QRect(441, 285, 142, 198) << QPoint(583, 285);
        QTest::newRow("right, pushed up off the bottom") << QRect(441, 700, 142, 198) << QPoint(583, 554);
        QTest::newRow("left at the right edge") << QRect(850, 10, 142, 198) << QPoint(616, 24);
        QTest::newRow("below when no side has room") << QRect(-200, 100, 1400, 198) << QPoint(0, 298);
        QTest::newRow("above when below has none either") << QRect(-200, 600, 1400, 198) << QPoint(0, 386);
        QTest::newRow("over the owner only when nothing else fits") << QRect(-200, 200, 1400, 400) << QPoint(790, 200);
    }

    void windowOpensBesideItsOwnerInsideTheWorkArea()
    {
        QFETCH(QRect, owner);
        QFETCH(QPoint, expected);
        QCOMPARE(WindowPlacement::beside(owner, QSize(234, 214), QRect(0, 24, 1024, 744)), expected);
    }
};

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_WindowPlacement.moc"
