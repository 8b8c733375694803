// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TQSorgu: the query list report. Prints the free query's rows: the name
// under "Adı Soyadı" and up to eight further columns whose headings and
// fields the query reports page sets up, under the title the user typed.
// One instance made at start-up keeps the last set-up.
#include "reports/QueryListReport.h"

#include "report/ReportDefinition.h"

namespace zelvar {

class TQSorgu : public QueryListReport {
public:
    static QString title() { return QStringLiteral("Dravenko 2000 [Sorgu Listeleri]"); }
    static QString nameHeading() { return QStringLiteral("Adı Soyadı"); }

    void setUp(const QString& listTitle, const Columns& columns) override;
    QString listTitle() const override { return m_listTitle; }
    const Columns& columns() const override { return m_columns; }
    std::shared_ptr<report::PagedReport> build(const Dataset* rows, const QDateTime& now) const override;

    // The printed layout for the current set-up, dated `now`.
    report::ReportDefinition definition(const QDateTime& now) const;

private:
    QString m_listTitle;
    Columns m_columns;
};

} // namespace zelvar
