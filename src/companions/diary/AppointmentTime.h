// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AppointmentTime: the times of an appointment, typed as "hh:mm". The
// reminder of the main program looks appointments up only at hh:00 and
// hh:30, so a start time between them is kept but never rings; the diary
// offers the half hours and says so when another time is typed.
#include <QString>
#include <QStringList>
#include <QTime>

namespace zelvar::appointmenttime {

// The typed time as "hh:mm" ("9:30" -> "09:30"), or empty when it is not a
// time; `problem` then says why, in Turkish.
QString normalize(const QString& typed, QString* problem = nullptr);

// True for "hh:00" and "hh:30".
bool ringsAt(const QString& hhmm);

// The window's note under a start time that will not ring.
QString noBellNote();

// Every half hour of the day, "00:00" to "23:30", for the time boxes.
QStringList halfHours();

// The half hour a new appointment starts at by default: the next one after
// `now`, but not later than 23:30.
QString nextHalfHour(const QTime& now);

} // namespace zelvar::appointmenttime
