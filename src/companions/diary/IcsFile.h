// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// IcsFile: appointments in iCalendar files (.ics), to move them to and from
// a telephone or another calendar. Each appointment is one event: the
// start and end times as local times, the subject as its summary, the
// address as its location, the note as its description; the name and the
// telephones as its contact, and every field once more under this
// program's own property names, so that a file written here comes back
// exactly. Events the table cannot hold (a whole day without a time, a
// repeating or cancelled event, no start) are left out and listed.
#include "companions/diary/Appointment.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QVector>

namespace zelvar::ics {

struct Read {
    QVector<Appointment> appointments;
    QStringList skipped; // one line each: what and why
    QString problem;     // the file was refused whole; nothing was read
};

QString kind(); // "iCalendar (.ics)", for messages
QStringList fileFilters();

Read readFile(const QString& path);
Read read(const QByteArray& data);

// `stamp`: when the file is written, for each event's time stamp.
QByteArray write(const QVector<Appointment>& appointments, const QDateTime& stamp);

} // namespace zelvar::ics
