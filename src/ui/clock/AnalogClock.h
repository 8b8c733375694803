// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An analog clock face with hour, minute and second hands, carrying an
// alarm: while enabled it raises alarm() once when the time reaches the alarm
// hour and minute, and not again within that minute.
#include <QDateTime>
#include <QWidget>

class QTimer;

namespace zelvar {

class Clock;

class AnalogClock : public QWidget {
    Q_OBJECT
public:
    explicit AnalogClock(const Clock& clock, QWidget* parent = nullptr);

    void setAlarmEnabled(bool on) { m_alarmEnabled = on; }
    bool alarmEnabled() const { return m_alarmEnabled; }
    void setAlarmTime(int hour, int minute);
    int alarmHour() const { return m_alarmHour; }
    int alarmMinute() const { return m_alarmMinute; }

public slots:
    // Reads the time, redraws the hands and checks the alarm.
    void tick();

signals:
    void alarm();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const Clock& m_clock;
    QTimer* m_timer;
    QTime m_shown;
    bool m_alarmEnabled = false;
    int m_alarmHour = 0;
    int m_alarmMinute = 0;
    QDateTime m_lastRing; // the minute the alarm last went off
};

} // namespace zelvar
