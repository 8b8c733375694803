// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBText: a display panel showing one field of the current row. The window
// sets its colours, font, frame and alignment; the user cannot change it.
// A screen reader hears its caption and the value it shows.
#include "ui/bound/BoundControl.h"

#include "ui/ValueLabel.h"

namespace zelvar {

class DBText : public ValueLabel, public BoundControl {
    Q_OBJECT
public:
    explicit DBText(QWidget* parent = nullptr);
    DBText(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& color) override;

protected:
    void loadFromField() override;
    void writeToField() override {}
};

} // namespace zelvar
