// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/diary/DiaryReports.h"

#include "companions/common/CompanionReports.h"
#include "companions/common/TextParts.h"
#include "data/FieldDefs.h"
#include "report/RowSource.h"

#include <QLocale>

namespace zelvar::diaryreports {

using companionreports::arial;
using companionreports::Column;
using report::Item;

namespace {

const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);

QString longDate(const QDate& day)
{
    return kTurkish.toString(day, QStringLiteral("d MMMM yyyy dddd"));
}

std::shared_ptr<report::PagedReport> build(const QString& reportTitle, const QString& office, const QString& title,
                                           const QString& subtitle, bool withDate,
                                           const QVector<Appointment>& appointments, const QDate& printed)
{
    QVector<Column> columns;
    double left = 2.0;
    if (withDate) {
        columns << Column{QStringLiteral("Tarih"), QStringLiteral("Tarih"), left, 21.0};
        left += 21.0;
    }
    columns << Column{QStringLiteral("Saat"), QStringLiteral("Saat"), left, 21.0}
            << Column{QStringLiteral("Adı Soyadı"), QStringLiteral("Adi"), left + 22.0, 46.0}
            << Column{QStringLiteral("Konu"), QStringLiteral("Konu"), left + 69.0, 48.0}
            << Column{QStringLiteral("Telefon"), QStringLiteral("Telefon"), left + 118.0, 182.0 - (left + 118.0)};
    report::ReportDefinition def = companionreports::list(reportTitle, office, title, subtitle, printed, columns);

    report::Band& detail = def.detail;
    detail.height = 11.0;
    detail.items << Item::frame(0, 0, 0, 0, report::BottomSide) << companionreports::columnValues(columns, 0.8);
    const double second = columns[withDate ? 2 : 1].left;
    detail.items << Item::value(QStringLiteral("Ayrinti"), arial(8))
                        .inBox(5.6, second, columns.last().left - second - 2, 4.2, false)
                 << Item::value(QStringLiteral("Telefon2"), arial(9))
                        .inBox(5.6, columns.last().left, columns.last().width, 4.2, false);

    auto rows = std::make_shared<report::TableRows>(
        QStringList{"Tarih", "Saat", "Adi", "Konu", "Telefon", "Telefon2", "Ayrinti"});
    for (const Appointment& a : appointments) {
        const QString times = a.end.isEmpty() ? a.start : a.start + QStringLiteral(" - ") + a.end;
        const QString address = joinNonEmpty({a.address1, a.address2}, QStringLiteral(", "));
        const QString note = QString(a.note).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
        QStringList detailText;
        if (!address.isEmpty())
            detailText << QStringLiteral("Adres: ") + address;
        if (!note.isEmpty())
            detailText << QStringLiteral("Not: ") + note;
        rows->addRow(QVariantList{a.date.toString(QLatin1String(kDateFormat)), times, a.name, a.subject, a.phone,
                                  a.phone2, detailText.join(QStringLiteral("   "))});
    }
    return std::make_shared<report::PagedReport>(def, rows);
}

} // namespace

QDate weekStart(const QDate& day)
{
    return day.addDays(1 - day.dayOfWeek());
}

QDate weekEnd(const QDate& day)
{
    return weekStart(day).addDays(6);
}

std::shared_ptr<report::PagedReport> day(const QString& office, const QDate& on,
                                         const QVector<Appointment>& appointments, const QDate& printed)
{
    return build(dayTitle(), office, QStringLiteral("Günlük Randevu Listesi"), longDate(on), false, appointments,
                 printed);
}

std::shared_ptr<report::PagedReport> week(const QString& office, const QDate& anyDay,
                                          const QVector<Appointment>& appointments, const QDate& printed)
{
    const QString span = kTurkish.toString(weekStart(anyDay), QStringLiteral("d MMMM yyyy")) + QStringLiteral(" - ") +
                         kTurkish.toString(weekEnd(anyDay), QStringLiteral("d MMMM yyyy"));
    return build(weekTitle(), office, QStringLiteral("Haftalık Randevu Listesi"), span, true, appointments, printed);
}

} // namespace zelvar::diaryreports
