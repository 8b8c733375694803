// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBText.h"

namespace zelvar {

DBText::DBText(QWidget* parent)
    : ValueLabel(parent),
      BoundControl(this)
{
    setTextFormat(Qt::PlainText);
}

DBText::DBText(DataSource* source, const QString& field, QWidget* parent)
    : DBText(parent)
{
    bind(source, field);
}

void DBText::setBackgroundColor(const QColor& color)
{
    setAutoFillBackground(true);
    BoundControl::setBackgroundColor(color);
    // The panel keeps its colour when the dataset closes.
    QPalette pal = palette();
    pal.setColor(QPalette::Disabled, QPalette::Window, color);
    setPalette(pal);
}

void DBText::loadFromField()
{
    setText(fieldText());
}

} // namespace zelvar
