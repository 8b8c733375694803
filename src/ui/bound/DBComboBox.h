#pragma once
// DBComboBox: a combo box bound to a field. The window gives the items; the
// user may pick one or type any text, which is stored as typed (cut to the
// field's width).
#include "ui/bound/BoundControl.h"

#include <QComboBox>

namespace zelvar {

class DBComboBox : public QComboBox, public BoundControl {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget* parent = nullptr);
    DBComboBox(DataSource* source, const QString& field, const QStringList& items = {}, QWidget* parent = nullptr);

    bool isEntryControl() const override { return true; }

protected:
    void loadFromField() override;
    void writeToField() override;
    void fieldResolved() override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zelvar
