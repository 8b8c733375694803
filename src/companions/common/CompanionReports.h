// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CompanionReports: what the companions' printed lists share: the office's
// name from the neighbourhood row, a title band with the list's name and
// the date of printing, a column header over fixed columns, and the page
// number at the foot of every page. The lists themselves (the diary's day
// and week, the address book's list and labels) are built beside them.
#include "report/ReportDefinition.h"

#include <QDate>
#include <QVector>

namespace zelvar {

class Database;

namespace companionreports {

// "Caferağa Mahallesi Muhtarlığı - Kadıköy / İstanbul" from the
// neighbourhood row; empty when the office has not been set up.
QString officeName(Database& db);

// A column of a list: its heading and the field it prints.
struct Column {
    QString heading;
    QString field;
    double left;  // mm from the band's left
    double width; // mm
};

// A list on A4: the title band (office, title, subtitle, printing date),
// the column headings on every page, the page number at every foot. The
// detail band is the caller's.
report::ReportDefinition list(const QString& reportTitle, const QString& office, const QString& title,
                              const QString& subtitle, const QDate& printed, const QVector<Column>& columns);

// The detail line of the columns, at `top` mm in the band.
QList<report::Item> columnValues(const QVector<Column>& columns, double top, double size = 9);

report::FontSpec arial(double size, bool bold = false);

} // namespace companionreports
} // namespace zelvar
