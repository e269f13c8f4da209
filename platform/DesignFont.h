#pragma once

#include <QFont>

namespace DesignFont {

// The windows are drawn in Arial at the sizes they were designed with: Arial
// where the desktop has it, its metric twin from fontconfig otherwise.
inline QFont arial(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

} // namespace DesignFont
