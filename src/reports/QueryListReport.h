// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The query list report as the query reports page sees it: set up with a
// title and eight columns, then built over the free query's rows for the
// preview or the printer. The report itself (TQSorgu) lives with the query
// window's code; the page gets the start-up instance handed in.
#include <QDateTime>
#include <QString>
#include <array>
#include <memory>

namespace zelvar {

namespace report {
class PagedReport;
}

class Dataset;

struct QueryListColumn {
    QString heading; // empty: no heading printed
    QString field;   // a field of the query; empty: nothing printed
    bool operator==(const QueryListColumn& o) const { return heading == o.heading && field == o.field; }
};

class QueryListReport {
public:
    static constexpr int kColumnCount = 8;
    using Columns = std::array<QueryListColumn, kColumnCount>;

    virtual ~QueryListReport() = default;
    // Replaces the title and all eight columns.
    virtual void setUp(const QString& title, const Columns& columns) = 0;
    virtual QString listTitle() const = 0;
    virtual const Columns& columns() const = 0;
    // The report over the query's rows (a closed or missing query: no rows),
    // dated `now`.
    virtual std::shared_ptr<report::PagedReport> build(const Dataset* rows, const QDateTime& now) const = 0;
};

} // namespace zelvar
