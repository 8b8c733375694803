// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ValueLabel: a panel that shows a value (the time, a hint, a count, a
// record number). A screen reader hears its caption as the name and what it
// shows as the value, and each change of the value is announced.
#include <QLabel>

namespace zelvar {

class ValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit ValueLabel(QWidget* parent = nullptr);

    // Shows a new value and announces it. (QLabel::setText through a QLabel
    // pointer shows it too; the value is still read from what is shown.)
    void setText(const QString& text);
};

} // namespace zelvar
