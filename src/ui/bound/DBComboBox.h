// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBComboBox: a combo box bound to a field. The window gives the items; the
// user may pick one or type any text, which is stored as typed (cut to the
// field's width).
#include "ui/bound/BoundControl.h"

#include <QComboBox>
#include <QList>

namespace zelvar {

class DBComboBox : public QComboBox, public BoundControl {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget* parent = nullptr);
    DBComboBox(DataSource* source, const QString& field, const QStringList& items = {}, QWidget* parent = nullptr);

    bool isEntryControl() const override { return true; }
    void setModel(QAbstractItemModel* model) override;

protected:
    void loadFromField() override;
    void writeToField() override;
    void fieldResolved() override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchList();
    void listChangeBegins();
    void listChangeEnds();
    void showText(const QString& text); // shows text, choosing its item if listed
    int m_adjusting = 0;                // the box changes its own text (depth of list changes)
    QString m_shownBeforeList;          // the text shown when a list change began
    QList<QMetaObject::Connection> m_listConnections;
};

} // namespace zelvar
