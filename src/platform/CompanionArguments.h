// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CompanionArguments: the command lines the main program starts its
// companion programs with. Every companion works on the main program's own
// data folder; the diary started by the reminder opens on the day of the
// appointment that rang, with that appointment chosen.
#include <QDate>
#include <QString>
#include <QStringList>

namespace zelvar::companionargs {

inline QString dateOption()
{
    return QStringLiteral("date");
}
inline QString timeOption()
{
    return QStringLiteral("time");
}

// "--data-dir <folder>"; nothing for a database without a folder.
inline QStringList forFolder(const QString& dataFolder)
{
    if (dataFolder.isEmpty())
        return {};
    return {QStringLiteral("--data-dir"), dataFolder};
}

// The diary on `day` with the appointment starting at `start` ("hh:mm").
inline QStringList forAppointment(const QString& dataFolder, const QDate& day, const QString& start)
{
    return forFolder(dataFolder) + QStringList{QStringLiteral("--") + dateOption(), day.toString(Qt::ISODate),
                                               QStringLiteral("--") + timeOption(), start};
}

} // namespace zelvar::companionargs
