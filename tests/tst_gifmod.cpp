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

    void theAlarmBannerIsShapedWellWithinFiveMilliseconds()
    {
        PictureBox box(nullptr);
        box.setAutoSize(true);
        box.setPicture(QImage(":/pictures/banner.gif"));

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
