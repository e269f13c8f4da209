#include "clock/gifmod.h"
#include "platform/PictureBox.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTest>

#include <vector>

using Runs = std::vector<gifmod::RunRect>;

class TestGifmod final : public QObject
{
    Q_OBJECT

private:
    // Rows of a picture as text, one letter a pixel.
    static Runs scan(const QStringList& rows)
    {
        std::vector<std::uint32_t> pixels;
        for (const QString& row : rows)
            for (const QChar c : row)
                pixels.push_back(c.unicode());
        const int width = int(rows.front().size());
        return gifmod::scanRuns({width, int(rows.size()), pixels.data(), width});
    }

private slots:
    void runsCoverWhatIsNotTheTopLeftColour_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<Runs>("runs");
        QTest::newRow("row by row, left to right") << QStringList{"..ab..c", "a.....a", "......."}
                                                   << Runs{{2, 0, 4, 1}, {6, 0, 7, 1}, {0, 1, 1, 2}, {6, 1, 7, 2}};
        QTest::newRow("a run at the right edge ends there") << QStringList{"...xx", "x...."}
                                                            << Runs{{3, 0, 5, 1}, {0, 1, 1, 2}};
        QTest::newRow("the background is cut out wherever it stands")
            << QStringList{"xx..", ".xx.", "x.x."} << Runs{{2, 0, 4, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}, {1, 2, 2, 3}, {3, 2, 4, 3}};
        QTest::newRow("one colour, no runs") << QStringList{"....", "...."} << Runs{};
    }

    void runsCoverWhatIsNotTheTopLeftColour()
    {
        QFETCH(QStringList, rows);
        QFETCH(Runs, runs);
        QVERIFY(scan(rows) == runs);
    }

    void theClockBodyIsCutToItsOpaquePixels()
    {
        PictureBox box(nullptr);
        box.setAutoSize(true);
        box.setPicture(QImage(":/pictures/clock_body.gif"));
        const QImage source(":/pictures/clock_body.gif");
        QCOMPARE(source.size(), QSize(142, 198));
        const QRegion region = gifmod::CreateRegionFromPicture(box);
        QCOMPARE(region.boundingRect().size().width() <= 142, true);
        int opaque = 0;
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const bool visible = qAlpha(source.pixel(x, y)) != 0;
                opaque += visible;
                if (region.contains(QPoint(x, y)) != visible)
                    QFAIL(qPrintable(QString("pixel %1,%2 is %3 the outline").arg(x).arg(y).arg(visible ? "outside" : "inside")));
            }
        }
        QVERIFY(opaque > 142 * 198 / 2);
        // The lock and close areas can be clicked: they lie on the body.
        QVERIFY(region.intersects(QRect(40, 8, 57, 17)));
        QVERIFY(region.intersects(QRect(56, 30, 25, 9)));
    }

    void theAlarmBannerIsShapedWellWithinFiveMilliseconds()
    {
        PictureBox box(nullptr);
        box.setAutoSize(true);
        box.setPicture(QImage(":/pictures/banner.gif"));
        const QImage banner = box.drawnImage();
        QCOMPARE(banner.size(), QSize(700, 200));

        // Best of several runs: a busy machine must not fail the build.
        qint64 best = std::numeric_limits<qint64>::max();
        QRegion region;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer timer;
            timer.start();
            region = gifmod::CreateRegionFromPicture(box);
            best = std::min(best, timer.nsecsElapsed());
        }
        qInfo("700 x 200 scan and region: %.3f ms, %d rectangles", double(best) / 1e6, region.rectCount());
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(region.boundingRect().width() > 500);
        if (!TANSY_SANITIZED)
            QVERIFY(best < 5'000'000);
    }
};

QTEST_MAIN(TestGifmod)
#include "tst_gifmod.moc"
