// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBMemo: a multi-line text box bound to a field, with an optional limit on
// the number of characters.
#include "ui/bound/BoundControl.h"

#include <QPlainTextEdit>

namespace zelvar {

class DBMemo : public QPlainTextEdit, public BoundControl {
    Q_OBJECT
public:
    explicit DBMemo(QWidget* parent = nullptr);
    DBMemo(DataSource* source, const QString& field, QWidget* parent = nullptr);

    // At most this many characters, line breaks included; 0 for no limit.
    void setMaxLength(int chars) { m_maxLength = chars; }
    int maxLength() const { return m_maxLength; }

    bool isEntryControl() const override { return true; }

protected:
    void loadFromField() override;
    void writeToField() override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int roomLeft() const; // characters that may still be added
    int m_maxLength = 0;
};

} // namespace zelvar
