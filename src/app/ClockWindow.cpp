// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClockWindow.h"

#include "platform/Services.h"
#include "ui/clock/AnalogClock.h"
#include "ui/clock/DigitalClock.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace zelvar {

ClockWindow::ClockWindow(const Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_services(services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Saat"));
    setFixedSize(181, 174);
    move(610, 18);

    m_pages = new QTabWidget(this);
    m_pages->setTabPosition(QTabWidget::South);
    m_pages->setGeometry(rect());
    m_pages->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { height: 23px; padding: 0 6px; }"));
    m_pages->addTab(buildDisplayPage(), QStringLiteral("&Gösterge"));
    m_pages->addTab(buildAlarmPage(), QStringLiteral("&Alarm Ayarı"));
    m_pages->setCurrentIndex(0);

    connectCommand(m_services.errors, m_analog, &AnalogClock::alarm, this, &ClockWindow::ringAlarm);
    m_transferTimer = new QTimer(this);
    connectCommand(m_services.errors, m_transferTimer, &QTimer::timeout, this, &ClockWindow::transferSettings);
    m_transferTimer->start(1000);
}

QWidget* ClockWindow::buildDisplayPage()
{
    auto* page = new QWidget;
    m_analog = new AnalogClock(m_services.clock, page);
    m_analog->setGeometry(3, 3, 167, 112);
    m_displayClock = new DigitalClock(m_services.clock, 13, page);
    m_displayClock->setGeometry(3, 118, 167, 21);
    return page;
}

QWidget* ClockWindow::buildAlarmPage()
{
    auto* page = new QWidget;
    m_settingClock = new DigitalClock(m_services.clock, 16, page);
    m_settingClock->setGeometry(0, 1, 173, 33);

    // "Alarm": off or on, side by side.
    auto* onOff = new QGroupBox(QStringLiteral("Alarm"), page);
    onOff->setGeometry(0, 35, 173, 38);
    m_off = new QRadioButton(QStringLiteral("Kapalı"), onOff);
    m_off->setGeometry(8, 15, 78, 20);
    m_on = new QRadioButton(QStringLiteral("Açık"), onOff);
    m_on->setGeometry(92, 15, 76, 20);
    m_off->setChecked(true);

    auto* time = new QGroupBox(QStringLiteral("Alarm Zamanı"), page);
    time->setGeometry(0, 74, 173, 70);
    auto* hourLabel = new QLabel(QStringLiteral("Saat"), time);
    hourLabel->setGeometry(6, 19, 28, 20);
    m_hour = new QSpinBox(time);
    m_hour->setRange(0, 23);
    m_hour->setGeometry(34, 18, 44, 22);
    hourLabel->setBuddy(m_hour);
    m_hour->setAccessibleName(QStringLiteral("Saat"));
    auto* minuteLabel = new QLabel(QStringLiteral("Dakika"), time);
    minuteLabel->setGeometry(84, 19, 40, 20);
    m_minute = new QSpinBox(time);
    m_minute->setRange(0, 59);
    m_minute->setGeometry(124, 18, 44, 22);
    minuteLabel->setBuddy(m_minute);
    m_minute->setAccessibleName(QStringLiteral("Dakika"));
    for (QSpinBox* box : {m_hour, m_minute})
        box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);

    // The caption stands to the left of the box.
    m_hourly = new QCheckBox(QStringLiteral("Her Saat Başı Çal"), time);
    m_hourly->setLayoutDirection(Qt::RightToLeft);
    m_hourly->setGeometry(6, 44, 162, 20);
    return page;
}

void ClockWindow::transferSettings()
{
    m_analog->setAlarmEnabled(m_on->isChecked());
    if (m_hourly->isChecked())
        m_analog->setAlarmTime(m_services.clock.now().time().hour(), 0);
    else
        m_analog->setAlarmTime(m_hour->value(), m_minute->value());
}

void ClockWindow::ringAlarm()
{
    m_services.sound.playSync(ringFile(), kRings);
}

} // namespace zelvar
