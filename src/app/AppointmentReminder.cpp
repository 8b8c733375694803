// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppointmentReminder.h"

#include "data/Database.h"
#include "data/Dataset.h"
#include "data/Errors.h"
#include "platform/CompanionArguments.h"
#include "platform/Launcher.h"
#include "platform/Sound.h"

namespace zelvar {

AppointmentReminder::AppointmentReminder(Dataset* appointments, Sound& sound, Launcher& launcher)
    : m_appointments(appointments),
      m_sound(sound),
      m_launcher(launcher)
{
}

bool AppointmentReminder::tick(const QDateTime& now, bool switchDown)
{
    if (!switchDown)
        return false;
    const QString minute = now.toString(QStringLiteral("mm"));
    if (minute != QLatin1String("00") && minute != QLatin1String("30"))
        return false;
    // The appointment of this minute has rung already.
    const QDateTime thisMinute(now.date(), QTime(now.time().hour(), now.time().minute()));
    if (m_lastRung == thisMinute)
        return false;
    if (!findAppointment(now))
        return false;
    // Noted before the bell: ticks that arrive while it rings find it done.
    m_lastRung = thisMinute;
    m_sound.playSync(bellFile(), kBellRings);
    // The diary opens on today with the appointment that rang chosen.
    const QString folder = m_appointments->database() ? m_appointments->database()->folder() : QString();
    m_launcher.start(Program::Diary,
                     companionargs::forAppointment(folder, now.date(), thisMinute.toString(QStringLiteral("hh:mm"))));
    return true;
}

bool AppointmentReminder::findAppointment(const QDateTime& now)
{
    if (!m_appointments || !m_appointments->isActive())
        return false;
    try {
        // The diary program writes the table while this one runs: read it anew.
        m_appointments->refresh();
        // The long time "hh:mm:ss" is cut to the five characters of the key
        // field, so the appointment starting at this "hh:mm" is found.
        return m_appointments->findKey({now.date(), now.toString(QStringLiteral("hh:mm:ss"))});
    } catch (const ZelvarError&) {
        // The diary may hold the table just now; the next tick looks again.
        // A failure here must not sound the error beep every second.
        return false;
    }
}

} // namespace zelvar
