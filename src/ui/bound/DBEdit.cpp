// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBEdit.h"

#include <QFocusEvent>
#include <algorithm>

namespace zelvar {

bool isFocusMoveWithinWindow(const QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

DBEdit::DBEdit(QWidget* parent)
    : QLineEdit(parent),
      BoundControl(this)
{
    // Typed, pasted, dictated or put in through the accessibility interface:
    // whatever the box comes to show is the user's change and is stored.
    // Only the box's own loading and limits are not.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (m_adjusting)
            return;
        dropSplitCharacter();
        userChanged();
    });
}

void DBEdit::dropSplitCharacter()
{
    m_adjusting = true;
    zelvar::dropSplitCharacter(this);
    m_adjusting = false;
}

void dropSplitCharacter(QLineEdit* box)
{
    // The length limit counts UTF-16 units and may cut a character outside
    // the basic plane in two; its first half goes.
    const QString shown = box->text();
    if (shown.isEmpty() || !shown.back().isHighSurrogate())
        return;
    const int cursor = box->cursorPosition();
    box->setText(shown.chopped(1));
    box->setCursorPosition(std::min(cursor, int(shown.size()) - 1));
}

DBEdit::DBEdit(DataSource* source, const QString& field, QWidget* parent)
    : DBEdit(parent)
{
    bind(source, field);
}

void DBEdit::setLengthLimit(int chars)
{
    m_lengthLimit = chars;
    applyLimits();
}

void DBEdit::fieldResolved()
{
    const FieldDef* def = fieldDef();
    // A box keeps its kind while its dataset is closed.
    if (def)
        m_dateBox = def->isDate();
    applyLimits();
}

void DBEdit::applyLimits()
{
    m_adjusting = true;
    applyLimitsNow();
    m_adjusting = false;
}

void DBEdit::applyLimitsNow()
{
    if (m_dateBox) {
        if (inputMask() != dateInputMask())
            setInputMask(dateInputMask());
        return;
    }
    if (!inputMask().isEmpty())
        setInputMask(QString());
    const FieldDef* def = fieldDef();
    int limit = 32767;
    if (m_lengthLimit > 0)
        limit = m_lengthLimit;
    else if (def && def->isText() && def->width > 0)
        limit = def->width;
    setMaxLength(limit);
}

QString DBEdit::entryText() const
{
    return m_dateBox ? displayText() : text();
}

void DBEdit::loadFromField()
{
    const QString text = fieldText();
    if (showsAlready(this, text))
        return;
    setText(text);
    if (!hasFocus())
        setCursorPosition(0);
}

bool showsAlready(const QLineEdit* box, const QString& text)
{
    // Loading the same text again into a box the user is not in would
    // change nothing that shows; setting it would lay the text out again,
    // and a record shown anew reloads every box several times.
    return !box->hasFocus() && box->text() == text && box->cursorPosition() == 0 && !box->hasSelectedText() &&
           !box->isModified() && !box->isUndoAvailable() && !box->isRedoAvailable();
}

void DBEdit::writeToField()
{
    dataset()->setText(fieldIndex(), entryText());
}

void DBEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!m_selectAllOnFocus && hasSelectedText()) {
        deselect();
        end(false);
    }
}

void DBEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A refused text is selected, ready to be typed over.
    if (isFocusMoveWithinWindow(event) && !writeOnFocusLeft())
        selectAll();
}

} // namespace zelvar
