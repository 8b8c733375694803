// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Saat" window: an always-on-top analog and digital clock with an alarm
// that rings at a chosen hour and minute or at the start of every hour. Each
// window has its own alarm; nothing is stored.
#include "platform/Services.h"
#include <QWidget>

class QCheckBox;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace zelvar {

class AnalogClock;
class DigitalClock;

class ClockWindow : public QWidget {
    Q_OBJECT
public:
    explicit ClockWindow(const Services& services, QWidget* parent = nullptr);

    static QString ringFile() { return QStringLiteral("ring.wav"); }
    static constexpr int kRings = 4;

    QTabWidget* pages() const { return m_pages; }
    AnalogClock* analogClock() const { return m_analog; }
    DigitalClock* displayClock() const { return m_displayClock; }
    DigitalClock* settingClock() const { return m_settingClock; }
    QRadioButton* alarmOff() const { return m_off; }
    QRadioButton* alarmOn() const { return m_on; }
    QSpinBox* hourBox() const { return m_hour; }
    QSpinBox* minuteBox() const { return m_minute; }
    QCheckBox* hourlyBox() const { return m_hourly; }

public slots:
    // Every second: hands the settings of the alarm page to the analog clock.
    void transferSettings();
    // Plays the bell four times, each play to its end.
    void ringAlarm();

private:
    QWidget* buildDisplayPage();
    QWidget* buildAlarmPage();

    Services m_services;
    QTabWidget* m_pages = nullptr;
    AnalogClock* m_analog = nullptr;
    DigitalClock* m_displayClock = nullptr;
    DigitalClock* m_settingClock = nullptr;
    QRadioButton* m_off = nullptr;
    QRadioButton* m_on = nullptr;
    QSpinBox* m_hour = nullptr;
    QSpinBox* m_minute = nullptr;
    QCheckBox* m_hourly = nullptr;
    QTimer* m_transferTimer = nullptr;
};

} // namespace zelvar
