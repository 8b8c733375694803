// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBEdit: a one-line edit box bound to a field.
//
// A text field limits the box to the field's width. A date field turns the
// box into a date box: two digits, ".", two digits, ".", four digits, with
// "_" shown where nothing is typed; all blanks is an empty date, anything
// incomplete is refused when written (DateEntryError).
#include "ui/bound/BoundControl.h"

#include <QLineEdit>

namespace zelvar {

class DBEdit : public QLineEdit, public BoundControl {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);
    DBEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);

    // The input mask of the date boxes: the fields' "!99/99/0000;1;_" with
    // the Turkish date separator.
    static QString dateInputMask() { return QStringLiteral("99.99.9999;_"); }

    // At most this many characters; 0 goes back to the field's width.
    void setLengthLimit(int chars);
    bool isDateBox() const { return m_dateBox; }
    // The text written into the field: for a date box the typed date with
    // "_" where a digit is missing.
    QString entryText() const;

    bool isEntryControl() const override { return true; }

    // Whether entering the box by Tab selects its text, as edit boxes
    // usually do; when off, the cursor goes to the end of the text.
    void setSelectAllOnFocus(bool on) { m_selectAllOnFocus = on; }
    bool selectsAllOnFocus() const { return m_selectAllOnFocus; }

protected:
    void loadFromField() override;
    void writeToField() override;
    void fieldResolved() override;
    void focusOutEvent(QFocusEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void applyLimits();
    void applyLimitsNow();
    void dropSplitCharacter();
    bool m_adjusting = false; // the box changes its own text
    int m_lengthLimit = 0;
    bool m_dateBox = false;
    bool m_selectAllOnFocus = true;
};

// Writing on focus loss happens only when the focus moves within the
// window, not when another window (a message box, a popup) takes it.
bool isFocusMoveWithinWindow(const QFocusEvent* event);

// True when the box already shows the text as loading it would leave it:
// not being typed in, the cursor at the start, nothing to undo.
bool showsAlready(const QLineEdit* box, const QString& text);

// Drops the first half of a character outside the basic plane that a
// length limit has cut in two; the caller keeps this change from counting
// as the user's.
void dropSplitCharacter(QLineEdit* box);

} // namespace zelvar
