// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBMemo.h"

#include "ui/bound/DBEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <climits>

namespace zelvar {

DBMemo::DBMemo(QWidget* parent)
    : QPlainTextEdit(parent),
      BoundControl(this)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!isLoading())
            userChanged();
    });
}

DBMemo::DBMemo(DataSource* source, const QString& field, QWidget* parent)
    : DBMemo(parent)
{
    bind(source, field);
}

void DBMemo::loadFromField()
{
    // As the edit boxes: the same text loaded again into a memo the user is
    // not in changes nothing that shows, and setting it rebuilds the document.
    const QString text = fieldText();
    const QTextCursor cursor = textCursor();
    if (!hasFocus() && cursor.position() == 0 && !cursor.hasSelection() && !document()->isUndoAvailable() &&
        !document()->isRedoAvailable() && toPlainText() == text)
        return;
    setPlainText(text);
}

void DBMemo::writeToField()
{
    dataset()->setText(fieldIndex(), toPlainText());
}

void DBMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (isFocusMoveWithinWindow(event))
        writeOnFocusLeft();
}

int DBMemo::roomLeft() const
{
    if (m_maxLength <= 0)
        return INT_MAX;
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return m_maxLength - (toPlainText().size() - selected);
}

void DBMemo::keyPressEvent(QKeyEvent* event)
{
    if (!isReadOnly() && m_maxLength > 0) {
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const int adds = lineBreak ? 1 : int(event->text().size());
        const bool typesText = lineBreak || (!event->text().isEmpty() && event->text().at(0).isPrint());
        if (typesText && adds > roomLeft()) {
            event->accept(); // the box is full
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::insertFromMimeData(const QMimeData* source)
{
    if (m_maxLength <= 0 || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const int room = roomLeft();
    if (room > 0)
        insertPlainText(source->text().left(room));
}

} // namespace zelvar
