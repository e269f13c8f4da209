#include "platform/ComboBox.h"

#include <QLineEdit>

ComboBox::ComboBox(const QString& designText, QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    // Typed text never becomes an item.
    setInsertPolicy(QComboBox::NoInsert);
    setEditText(designText);
    setAccessibleName(designText);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_typedOver = true; });
    connect(this, &QComboBox::activated, this, [this] {
        m_typedOver = false;
        emit Click();
    });
}

void ComboBox::AddItem(const QString& text)
{
    const bool nonePicked = currentIndex() < 0;
    const QString shown = currentText();
    // The first item of an empty list would otherwise become the pick.
    addItem(text);
    if (nonePicked) {
        setCurrentIndex(-1);
        setEditText(shown);
    }
}

int ComboBox::ListIndex() const
{
    return m_typedOver ? -1 : currentIndex();
}

void ComboBox::setListIndex(int index)
{
    m_typedOver = false;
    setCurrentIndex(index);
    emit Click();
}
