// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/AnalogClock.h"

#include "platform/Clock.h"

#include <QPainter>
#include <QTimer>
#include <QtMath>

namespace zelvar {

AnalogClock::AnalogClock(const Clock& clock, QWidget* parent)
    : QWidget(parent),
      m_clock(clock),
      m_timer(new QTimer(this))
{
    m_shown = m_clock.now().time();
    connect(m_timer, &QTimer::timeout, this, &AnalogClock::tick);
    m_timer->start(250);
}

void AnalogClock::setAlarmTime(int hour, int minute)
{
    m_alarmHour = hour;
    m_alarmMinute = minute;
}

void AnalogClock::tick()
{
    const QDateTime now = m_clock.now();
    if (now.time().second() != m_shown.second() || now.time().minute() != m_shown.minute()) {
        m_shown = now.time();
        update();
    }
    if (!m_alarmEnabled || now.time().hour() != m_alarmHour || now.time().minute() != m_alarmMinute)
        return;
    // The seconds do not matter: the alarm goes off once in its minute.
    const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute()));
    if (m_lastRing == minute)
        return;
    m_lastRing = minute;
    emit alarm();
}

void AnalogClock::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height()) - 6;
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(side / 200.0, side / 200.0);

    // Face and rim.
    QRadialGradient face(QPointF(-30, -30), 140);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(214, 222, 240));
    p.setPen(QPen(QColor(0, 0, 64), 6));
    p.setBrush(face);
    p.drawEllipse(QPointF(0, 0), 96, 96);

    // Minute and hour marks.
    for (int i = 0; i < 60; ++i) {
        p.save();
        p.rotate(i * 6.0);
        if (i % 5 == 0)
            p.setPen(QPen(QColor(0, 0, 64), 5, Qt::SolidLine, Qt::FlatCap));
        else
            p.setPen(QPen(QColor(90, 90, 120), 1.5));
        p.drawLine(QPointF(0, -88), QPointF(0, i % 5 == 0 ? -74 : -82));
        p.restore();
    }

    auto hand = [&p](double degrees, double length, double width, const QColor& colour) {
        p.save();
        p.rotate(degrees);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({{-width / 2, 12}, {width / 2, 12}, {width / 5, -length}, {-width / 5, -length}}));
        p.restore();
    };
    const QTime t = m_shown;
    if (m_alarmEnabled) {
        // The alarm hand: a thin green line with a dot, pointing at the alarm time.
        p.save();
        p.rotate(30.0 * ((m_alarmHour % 12) + m_alarmMinute / 60.0));
        p.setPen(QPen(QColor(0, 140, 60), 3));
        p.drawLine(QPointF(0, 0), QPointF(0, -62));
        p.setBrush(QColor(0, 140, 60));
        p.drawEllipse(QPointF(0, -62), 5, 5);
        p.restore();
    }
    hand(30.0 * ((t.hour() % 12) + t.minute() / 60.0), 52, 9, QColor(0, 0, 64));
    hand(6.0 * (t.minute() + t.second() / 60.0), 78, 7, QColor(0, 0, 64));
    p.save();
    p.rotate(6.0 * t.second());
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(0, 16), QPointF(0, -84));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 0, 0));
    p.drawEllipse(QPointF(0, 0), 5, 5);
}

} // namespace zelvar
