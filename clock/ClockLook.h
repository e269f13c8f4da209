#pragma once

#include "controls/Twips.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// How the clock looks: the colour of each hand, the hands' thickness, whether
// it stays above other windows, and its face. The clock and the options
// dialog's sample clock follow it; the dialog's pickers change it.
class ClockLook final : public QObject
{
    Q_OBJECT

public:
    // Hands are numbered as their lines: 1 hour, 2 minute, 3 second.
    static constexpr int Hour = 1;
    static constexpr int Minute = 2;
    static constexpr int Second = 3;

    // The part of a face picture that can show: from the face's designed
    // corner to the far edges of the 142 x 198 clock body.
    static constexpr QSize FaceArea{142 - Twips::toPixels(600), 198 - Twips::toPixels(1320)};

    // A name without a directory means a picture beside the program.
    explicit ClockLook(QString programDirectory);

    std::uint32_t color(int hand) const { return m_colors.at(static_cast<std::size_t>(hand - 1)); }
    // An invalid colour number is refused and the hand keeps its colour.
    void setColor(int hand, std::uint32_t color);

    // The clock's hands; the sample's are one pixel thinner.
    int handWidth() const { return m_handWidth; }
    void setHandWidth(int width);

    // Unknown until the settings or the user say: the clock is then left as
    // the window manager put it.
    std::optional<bool> topmost() const { return m_topmost; }
    // Told again even when unchanged: the window manager may have been asked
    // otherwise meanwhile.
    void setTopmost(bool topmost);

    // The face picture, of which only FaceArea was read, and its full size.
    const QImage& face() const { return m_face; }
    QSize faceSize() const { return m_faceSize; }
    // False, and the face as it was, when the file is no picture.
    bool setFace(const QString& location);

signals:
    void colorChanged(int hand, std::uint32_t color);
    void handWidthChanged(int width);
    void topmostChanged(bool topmost);
    void faceChanged();

private:
    QString m_programDirectory;
    std::array<std::uint32_t, 3> m_colors;
    int m_handWidth;
    std::optional<bool> m_topmost;
    QImage m_face;
    QSize m_faceSize;
};
