#include "controls/Design.h"
#include "controls/PictureBox.h"
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

    // Drawn for 1, 1.5 and 2; other ratios take the nearest larger drawing,
    // or the largest, scaled. A window is cut wherever alpha is not whole.
    void picturesForAScreenKeepTheirLogicalSizeAndAHardOutline()
    {
        const std::pair<const char*, QSize> pictures[] = {
            {"clock_body.gif", {142, 198}}, {"face.gif", {64, 64}},     {"alarm_icon.gif", {32, 32}},
            {"banner.gif", {700, 200}},     {"cartoon.gif", {70, 57}},  {"computer_clock.gif", {32, 32}},
            {"help_book.gif", {32, 32}},    {"mascot.gif", {100, 108}}, {"notebook.gif", {32, 32}}};
        for (const qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
            for (const auto& [name, size] : pictures) {
                const QImage picture = Design::picture(name, ratio).convertToFormat(QImage::Format_ARGB32);
                QCOMPARE(Design::logicalSize(picture), size);
                QCOMPARE(picture.size(), (QSizeF(size) * ratio).toSize());
                for (int y = 0; y < picture.height(); ++y)
                    for (int x = 0; x < picture.width(); ++x)
                        QVERIFY2(qAlpha(picture.pixel(x, y)) % 255 == 0, name);
            }
        }
    }

    // Cut in the screen's own pixels, a see-through window has no mask of its
    // own to clip its painting: outside the outline it stays clear anyway.
    void aSeeThroughWindowIsClearOutsideItsOutlineAtEveryRatio()
    {
        for (const qreal ratio : {1.5, 2.0}) {
            QWidget window;
            window.setAttribute(Qt::WA_TranslucentBackground);
            auto* body = new PictureBox(&window);
            body->setAutoSize(true);
            body->setPicture(Design::picture("clock_body.gif", ratio));
            window.resize(body->size());
            QImage shot(body->drawnImage().size(), QImage::Format_ARGB32_Premultiplied);
            shot.setDevicePixelRatio(ratio);
            shot.fill(Qt::white);
            window.render(&shot);
            const QRegion outline = gifmod::CreateRegionFromPicture(*body);
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    QCOMPARE(qAlpha(shot.pixel(x, y)) == 255, outline.contains(QPoint(x, y)));
        }
    }
};

QTEST_MAIN(TestGifmod)
#include "tst_gifmod.moc"
