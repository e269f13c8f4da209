#include "clock/HandsArithmetic.h"

#include <QTest>

// The hands' tips for the centre (70, 117), to four decimals, where the clock
// has always drawn them: its own degree factor and single-precision places.
class TestHandsArithmetic final : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_APPLESS_MAIN(TestHandsArithmetic)
#include "tst_HandsArithmetic.moc"
