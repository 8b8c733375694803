// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window's alarm: its time, its hourly mode and its one ring a minute.
#include "TestRegistry.h"
#include "app/ClockWindow.h"
#include "platform/fakes/FakeServices.h"
#include "ui/clock/AnalogClock.h"
#include "ui/clock/DigitalClock.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace zelvar;

namespace {

const QString kRing = QStringLiteral("play ring.wav x4");

// Moves the fake clock and lets both timers of the window fire once.
void standAt(FakeServices& s, ClockWindow& w, QDate day, QTime time)
{
    s.clock.set(QDateTime(day, time));
    w.transferSettings();
    w.analogClock()->tick();
}

void setAlarm(ClockWindow& w, bool on, int hour, int minute, bool hourly)
{
    (on ? w.alarmOn() : w.alarmOff())->setChecked(true);
    w.hourBox()->setValue(hour);
    w.minuteBox()->setValue(minute);
    w.hourlyBox()->setChecked(hourly);
}

} // namespace

class ClockWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowAndStartingSettings()
    {
        FakeServices s;
        s.clock.set(QDateTime(QDate(2026, 12, 9), QTime(7, 5, 9)));
        ClockWindow w(s.services);
        QCOMPARE(w.windowTitle(), QString("Saat"));
        QCOMPARE(w.size(), QSize(181, 174));
        QCOMPARE(w.pos(), QPoint(610, 18));
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(w.pages()->tabPosition(), QTabWidget::South);
        QCOMPARE(w.pages()->tabText(0), QString("&Gösterge"));
        QCOMPARE(w.pages()->tabText(1), QString("&Alarm Ayarı"));
        QCOMPARE(w.analogClock()->size(), QSize(167, 112));
        QCOMPARE(w.displayClock()->size(), QSize(167, 21));
        QCOMPARE(w.settingClock()->size(), QSize(173, 33));
        QCOMPARE(w.displayClock()->text(), QString("07:05:09"));
        QVERIFY(w.alarmOff()->isChecked() && !w.alarmOn()->isChecked());
        QCOMPARE(w.hourBox()->value(), 0);
        QCOMPARE(w.minuteBox()->value(), 0);
        QVERIFY(!w.hourlyBox()->isChecked());
        QCOMPARE(w.hourlyBox()->layoutDirection(), Qt::RightToLeft);

        // Typed or set beyond the range, the boxes stay within it.
        w.show();
        w.hourBox()->setFocus();
        w.hourBox()->selectAll();
        QTest::keyClicks(w.hourBox(), "30");
        QVERIFY(w.hourBox()->value() <= 23);
        w.minuteBox()->setValue(75);
        QCOMPARE(w.minuteBox()->value(), 59);
    }

    void ringsAtTheChosenTimeOnceAMinute()
    {
        FakeServices s;
        ClockWindow w(s.services);
        setAlarm(w, true, 7, 45, false);
        const QDate day(2026, 12, 9);

        standAt(s, w, day, QTime(7, 44, 59));
        QVERIFY(s.sound.events.isEmpty());
        standAt(s, w, day, QTime(7, 45, 0));
        QCOMPARE(s.sound.events, QStringList{kRing});
        // Further ticks within the same minute do not ring again.
        standAt(s, w, day, QTime(7, 45, 1));
        standAt(s, w, day, QTime(7, 45, 30));
        standAt(s, w, day, QTime(7, 46, 0));
        QCOMPARE(s.sound.events.size(), 1);
        // 24-hour time: not at 19:45; again the next morning.
        standAt(s, w, day, QTime(19, 45, 0));
        QCOMPARE(s.sound.events.size(), 1);
        standAt(s, w, day.addDays(1), QTime(7, 45, 20));
        QCOMPARE(s.sound.events, (QStringList{kRing, kRing}));

        // Off: nothing, at the right minute or not.
        w.alarmOff()->setChecked(true);
        standAt(s, w, day.addDays(2), QTime(7, 45, 0));
        QCOMPARE(s.sound.events.size(), 2);
    }

    void hourlyRinging()
    {
        FakeServices s;
        ClockWindow w(s.services);
        const QDate day(2026, 12, 9);

        // Off with the hourly box ticked: never.
        setAlarm(w, false, 10, 0, true);
        for (int hour : {9, 10, 11})
            standAt(s, w, day, QTime(hour, 0, 0));
        QVERIFY(s.sound.events.isEmpty());

        // On and hourly: at the start of every hour, whatever the boxes say.
        setAlarm(w, true, 7, 45, true);
        standAt(s, w, day, QTime(9, 59, 59));
        standAt(s, w, day, QTime(10, 0, 0));
        standAt(s, w, day, QTime(10, 0, 1));
        QCOMPARE(s.sound.events.size(), 1);
        standAt(s, w, day, QTime(10, 30, 0));
        standAt(s, w, day, QTime(10, 59, 59));
        standAt(s, w, day, QTime(11, 0, 0));
        QCOMPARE(s.sound.events.size(), 2);
        standAt(s, w, day, QTime(7, 45, 0));
        QCOMPARE(s.sound.events.size(), 2);
        QCOMPARE(w.analogClock()->alarmHour(), 7);
        QCOMPARE(w.analogClock()->alarmMinute(), 0);
    }

    void eachWindowHasItsOwnAlarm()
    {
        // One sound service for all, as in the program: every clock's bell
        // is asked for, two at the same minute included.
        FakeServices s;
        ClockWindow a(s.services);
        ClockWindow b(s.services);
        ClockWindow c(s.services);
        setAlarm(a, true, 7, 45, false);
        setAlarm(b, true, 8, 15, false);
        setAlarm(c, true, 8, 15, false);
        const QDate day(2026, 12, 9);
        for (QTime t : {QTime(7, 45, 0), QTime(8, 15, 0), QTime(8, 15, 30)}) {
            for (ClockWindow* w : {&a, &b, &c})
                standAt(s, *w, day, t);
            QCOMPARE(s.sound.events.size(), t.hour() == 7 ? 1 : 3);
        }
        QCOMPARE(s.sound.events, (QStringList{kRing, kRing, kRing}));
        QCOMPARE(a.analogClock()->alarmMinute(), 45);
        QCOMPARE(b.analogClock()->alarmMinute(), 15);

        // The alarm signal itself plays the bell four times.
        s.sound.events.clear();
        emit b.analogClock()->alarm();
        QCOMPARE(s.sound.events, QStringList{kRing});
    }
};

ZELVAR_TEST(ClockWindowTest)
#include "tst_clock.moc"
