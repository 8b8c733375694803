#pragma once
// DBText: a display panel showing one field of the current row. The window
// sets its colours, font, frame and alignment; the user cannot change it.
#include "ui/bound/BoundControl.h"

#include <QLabel>

namespace zelvar {

class DBText : public QLabel, public BoundControl {
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
