#pragma once

#include <QComboBox>

// An editable list box: its design text shows until an item is picked, text
// typed over it counts as no selection, and Click comes with every pick, by
// the user or by code.
class ComboBox final : public QComboBox
{
    Q_OBJECT

public:
    ComboBox(const QString& designText, QWidget* parent);

    // Adds an item without picking one: the shown text stays.
    void AddItem(const QString& text);
    // The picked item's position, or -1 when none is picked or text was typed.
    int ListIndex() const;
    void setListIndex(int index);

signals:
    void Click();

private:
    bool m_typedOver = false;
};
