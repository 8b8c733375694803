// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RaisedCalendar: a month calendar whose day cells are drawn raised, each a
// small button; the selected day is drawn pressed in.
#include <QCalendarWidget>

namespace zelvar {

class RaisedCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit RaisedCalendar(QWidget* parent = nullptr);

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
};

} // namespace zelvar
