// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DiaryReports: the diary's printed lists, a day's and a week's
// appointments in time order, each appointment on two lines: its times,
// name, subject and telephones, then its address and note. The week runs
// from Monday to Sunday.
#include "companions/diary/Appointment.h"
#include "report/PagedReport.h"

#include <QVector>
#include <memory>

namespace zelvar::diaryreports {

inline QString dayTitle()
{
    return QStringLiteral("Takvim ve Randevu [Günlük Randevu Listesi]");
}
inline QString weekTitle()
{
    return QStringLiteral("Takvim ve Randevu [Haftalık Randevu Listesi]");
}

// Monday of the week that holds `day`, and its Sunday.
QDate weekStart(const QDate& day);
QDate weekEnd(const QDate& day);

std::shared_ptr<report::PagedReport> day(const QString& office, const QDate& day,
                                         const QVector<Appointment>& appointments, const QDate& printed);
std::shared_ptr<report::PagedReport> week(const QString& office, const QDate& anyDay,
                                          const QVector<Appointment>& appointments, const QDate& printed);

} // namespace zelvar::diaryreports
