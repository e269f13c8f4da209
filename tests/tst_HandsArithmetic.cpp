#include "clock/HandsArithmetic.h"

#include <QTest>

#include <string>

// The hands' positions for the centre (70, 117), to four decimals, as the clock
// has always drawn them.
class TestHandsArithmetic final : public QObject
{
    Q_OBJECT

private slots:
    void tipsAtKnownTimes_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("hand");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("midnight hour straight up") << "00:00:00" << "h" << 70.0 << 87.0;
        QTest::newRow("3 o'clock is a hair above the centre line") << "03:00:00" << "h" << 100.0 << 116.9911;
        QTest::newRow("18:30:45 second") << "18:30:45" << "s" << 20.0 << 117.0444;
        QTest::newRow("18:30:45 minute") << "18:30:45" << "m" << 70.0255 << 160.0;
        QTest::newRow("18:30:45 hour between 6 and 7") << "18:30:45" << "h" << 62.2540 << 145.9828;
        QTest::newRow("09:45 hour three quarters to 10") << "09:45:00" << "h" << 42.2726 << 105.5462;
        QTest::newRow("noon stays 12, slightly left") << "12:00:00" << "h" << 69.9644 << 87.0;
    }

    void tipsAtKnownTimes()
    {
        QFETCH(QString, time);
        QFETCH(QString, hand);
        QFETCH(double, x);
        QFETCH(double, y);
        const std::string text = time.toStdString();
        const double s = HandsArithmetic::seconds(text);
        const double m = HandsArithmetic::minutes(text);
        const double h = HandsArithmetic::twelveHour(HandsArithmetic::hours(text));
        const HandsArithmetic::Tip tip = hand == "s" ? HandsArithmetic::secondTip(70, 117, s)
            : hand == "m"                            ? HandsArithmetic::minuteTip(70, 117, m)
                                                     : HandsArithmetic::hourTip(70, 117, h, m);
        QCOMPARE(QString::number(double(tip.x), 'f', 4), QString::number(x, 'f', 4));
        QCOMPARE(QString::number(double(tip.y), 'f', 4), QString::number(y, 'f', 4));
    }
};

QTEST_APPLESS_MAIN(TestHandsArithmetic)
#include "tst_HandsArithmetic.moc"
