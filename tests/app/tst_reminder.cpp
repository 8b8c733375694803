// SPDX-License-Identifier: GPL-3.0-or-later
// The half-hourly appointment reminder.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/AppointmentReminder.h"
#include "platform/fakes/FakeServices.h"

#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

const QDate kToday(2026, 12, 9);

void addAppointment(DataFixture& f, const QDate& day, const QString& start, const QString& who)
{
    f.dm().database().exec(QStringLiteral("insert into \"Randevu\" (\"Tarih\", \"Saati\", \"Adi\") values (?, ?, ?)"),
                           {day.toString(Qt::ISODate), start, who});
}

QDateTime at(int h, int m, int s = 0, const QDate& day = kToday)
{
    return QDateTime(day, QTime(h, m, s));
}

const QString kBell = QStringLiteral("play ring.wav x4");

} // namespace

class ReminderTest : public QObject {
    Q_OBJECT
private slots:
    void ringsOncePerAppointmentAndAgainAtTheNextHalfHour()
    {
        DataFixture f;
        addAppointment(f, kToday, "09:30", "Ayşe Demir");
        addAppointment(f, kToday, "10:00", "Mehmet Yılmaz");
        f.dm().tbrandevu->refresh();
        FakeServices s;
        AppointmentReminder reminder(f.dm().tbrandevu, s.sound, s.launcher);

        QVERIFY(reminder.tick(at(9, 30, 0), true));
        QCOMPARE(s.sound.events, QStringList{kBell});
        QCOMPARE(s.launcher.started, QList<Program>{Program::Diary});

        // The rest of the minute stays quiet.
        for (int second = 1; second < 60; ++second)
            QVERIFY(!reminder.tick(at(9, 30, second), true));
        QVERIFY(!reminder.tick(at(9, 31, 0), true));
        QCOMPARE(s.sound.events.size(), 1);
        QCOMPARE(s.launcher.started.size(), 1);

        // The next half hour has its own appointment.
        QVERIFY(reminder.tick(at(10, 0, 0), true));
        QVERIFY(!reminder.tick(at(10, 0, 1), true));
        QCOMPARE(s.sound.events, (QStringList{kBell, kBell}));
        QCOMPARE(s.launcher.started, (QList<Program>{Program::Diary, Program::Diary}));

        // The same time on another day has no appointment.
        QVERIFY(!reminder.tick(at(9, 30, 0, kToday.addDays(1)), true));
        QCOMPARE(s.sound.events.size(), 2);
    }

    void onlyTheHourAndTheHalfHourWithTheSwitchDown()
    {
        DataFixture f;
        addAppointment(f, kToday, "09:15", "Fatma Kaya");
        addAppointment(f, kToday, "09:30", "Ali Çelik");
        addAppointment(f, kToday, "11:00", "Hasan Öztürk");
        f.dm().tbrandevu->refresh();
        FakeServices s;
        AppointmentReminder reminder(f.dm().tbrandevu, s.sound, s.launcher);

        // 09:15 is never looked at; half past ten has no appointment.
        QVERIFY(!reminder.tick(at(9, 15, 0), true));
        QVERIFY(!reminder.tick(at(10, 30, 0), true));
        // With the switch up nothing rings, even at an appointment.
        QVERIFY(!reminder.tick(at(9, 30, 0), false));
        QVERIFY(!reminder.tick(at(11, 0, 5), false));
        QVERIFY(s.sound.events.isEmpty());
        QVERIFY(s.launcher.started.isEmpty());
        // Pressed again within the minute, it still rings for it.
        QVERIFY(reminder.tick(at(9, 30, 20), true));
        QCOMPARE(s.sound.events, QStringList{kBell});
    }

    void seesAppointmentsTheDiaryAddsWhileRunning()
    {
        DataFixture f;
        FakeServices s;
        AppointmentReminder reminder(f.dm().tbrandevu, s.sound, s.launcher);
        QVERIFY(!reminder.tick(at(14, 0, 0), true));
        // Written by the diary program after the table was opened.
        addAppointment(f, kToday, "14:30", "Zeynep Arslan");
        QVERIFY(reminder.tick(at(14, 30, 0), true));
        QCOMPARE(s.launcher.started, QList<Program>{Program::Diary});
    }
};

ZELVAR_TEST(ReminderTest)
#include "tst_reminder.moc"
