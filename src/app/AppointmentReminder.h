// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AppointmentReminder: on the hour and the half hour, looks the current
// "hh:mm" of today up in the appointment table kept by the companion diary
// program; an appointment found rings the bell four times and starts the
// diary. Each appointment rings once, not on every tick of its minute.
#include <QDateTime>
#include <QString>

namespace zelvar {

class Dataset;
class Launcher;
class Sound;

class AppointmentReminder {
public:
    AppointmentReminder(Dataset* appointments, Sound& sound, Launcher& launcher);

    static QString bellFile() { return QStringLiteral("ring.wav"); }
    static constexpr int kBellRings = 4;

    // One tick of the one-second timer. switchDown: the reminder switch of
    // the toolbar. True when an appointment rang.
    bool tick(const QDateTime& now, bool switchDown);

private:
    bool findAppointment(const QDateTime& now);

    Dataset* m_appointments;
    Sound& m_sound;
    Launcher& m_launcher;
    QDateTime m_lastRung; // minute of the appointment that rang last
};

} // namespace zelvar
