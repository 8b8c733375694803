// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBCheckBox: a check box bound to a coded text field: ticked when the field
// holds the checked value ("1"), clear otherwise. Clicking it puts the row
// into editing and writes the code at once.
#include "ui/bound/BoundControl.h"

#include <QCheckBox>

namespace zelvar {

class DBCheckBox : public QCheckBox, public BoundControl {
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget* parent = nullptr);
    DBCheckBox(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void setValues(const QString& checked, const QString& unchecked);
    QString checkedValue() const { return m_checked; }
    QString uncheckedValue() const { return m_unchecked; }

protected:
    void loadFromField() override;
    void writeToField() override;

private:
    QString m_checked = QStringLiteral("1");
    QString m_unchecked = QStringLiteral("0");
};

} // namespace zelvar
