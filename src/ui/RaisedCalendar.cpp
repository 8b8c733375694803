// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RaisedCalendar.h"

#include <QPainter>
#include <qdrawutil.h>

namespace zelvar {

RaisedCalendar::RaisedCalendar(QWidget* parent)
    : QCalendarWidget(parent)
{
    // The days stand on a button face, as buttons do.
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        pal.setColor(group, QPalette::Base, pal.color(group, QPalette::Button));
    setPalette(pal);
}

void RaisedCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    qDrawShadePanel(painter, rect, palette(), date == selectedDate(), 1);
}

} // namespace zelvar
