#pragma once

#include <QFont>
#include <QWidget>

namespace DesignFont {

// The windows are drawn in Arial at the sizes they were designed with: Arial
// where the desktop has it, its metric twin from fontconfig otherwise.
inline QFont arial(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

// A window's font, given before its first control is made. Given later, it
// reaches every control as a change, and a drop-down box answers a change of
// font by making its list at once, opened or not.
inline QWidget* formFont(QWidget* form)
{
    form->setFont(arial(8.25));
    return form;
}

} // namespace DesignFont
