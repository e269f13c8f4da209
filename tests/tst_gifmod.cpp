#include "controls/gifmod.h"

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
            << QStringList{"xx..", ".xx.", "x.x."}
            << Runs{{2, 0, 4, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}, {1, 2, 2, 3}, {3, 2, 4, 3}};
        QTest::newRow("one colour, no runs") << QStringList{"....", "...."} << Runs{};
    }

    void runsCoverWhatIsNotTheTopLeftColour()
    {
        QFETCH(QStringList, rows);
        QFETCH(Runs, runs);
        QVERIFY(scan(rows) == runs);
    }
};

QTEST_MAIN(TestGifmod)
#include "tst_gifmod.moc"
