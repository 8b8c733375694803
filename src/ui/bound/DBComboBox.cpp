#include "ui/bound/DBComboBox.h"

#include "ui/bound/DBEdit.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace zelvar {

DBComboBox::DBComboBox(QWidget* parent) : QComboBox(parent), BoundControl(this)
{
    setEditable(true);
    // Typed text stays as typed: no completion from the list, and Enter
    // does not add the text to the items.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { userChanged(); });
    connect(this, qOverload<int>(&QComboBox::activated), this, [this] { userChanged(); });
}

DBComboBox::DBComboBox(DataSource* source, const QString& field, const QStringList& items, QWidget* parent)
    : DBComboBox(parent)
{
    addItems(items);
    bind(source, field);
}

void DBComboBox::fieldResolved()
{
    const FieldDef* def = fieldDef();
    if (def && def->isText() && def->width > 0)
        lineEdit()->setMaxLength(def->width);
}

void DBComboBox::loadFromField()
{
    const QString text = fieldText();
    setCurrentIndex(findText(text, Qt::MatchExactly));
    setEditText(text);
    if (!hasFocus())
        lineEdit()->setCursorPosition(0);
}

void DBComboBox::writeToField()
{
    dataset()->setText(fieldIndex(), currentText());
}

void DBComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (isFocusMoveWithinWindow(event))
        writeOnFocusLeft();
}

bool DBComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // The focus may sit on the inner line edit rather than on the box.
    if (watched == lineEdit() && event->type() == QEvent::FocusOut
        && isFocusMoveWithinWindow(static_cast<QFocusEvent*>(event)) && !hasFocus())
        writeOnFocusLeft();
    return QComboBox::eventFilter(watched, event);
}

} // namespace zelvar
