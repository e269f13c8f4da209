#include "controls/ComboBox.h"

#include <QLineEdit>

ComboBox::ComboBox(const QString& designText, QWidget* parent)
    : QComboBox(parent)
{
    // Editable by a field of its own: setEditable(true) would also make the
    // drop-down list (a view, its scroll bars and a popup frame) at once, for
    // each of the dialog's boxes; made when first opened, it costs nothing to
    // a dialog whose lists are never opened.
    auto* field = new QLineEdit(this);
    field->setPalette(palette());
    setLineEdit(field);
    // Typed text is never a pick: it is not completed to an item, not made
    // one, and not matched to one when Return is pressed or the field is left.
    // Only a choice from the list, by mouse or arrow keys, picks an item.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    QObject::disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    // The field's text may use the whole width inside the box's frame: the
    // usual margins leave too little of the narrow field for "Border", whose
    // first letter would scroll out of sight.
    lineEdit()->setTextMargins(-2, 0, -2, 0);
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
