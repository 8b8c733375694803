// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three list reports of the listing query's residents: the name list
// TQRList, the detailed list TQRListForm and the address labels
// TQRLabelForm. Each holds its adjustments (the name list's optional
// columns, the detailed list's photograph switch) and builds its printed
// layout from them.
//
// The start-up instances live in ListReports for the whole run, so the name
// list keeps its last column set-up and the detailed list its photograph
// setting; the query window makes fresh instances of its own.
#include "reports/NameListColumns.h"

#include <QDate>
#include <QString>

namespace zelvar {

namespace report {
struct ReportDefinition;
}

// The neighbourhood row that heads every list.
struct OfficeRow {
    QString il;
    QString ilce;
    QString mahalle;
    QString zelvar;
};

// TQRList: the name list, the name column and up to eight optional columns.
class TQRList {
public:
    static QString title() { return QStringLiteral("Zelvar 2001 [Mahalle İsim Listesi]"); }
    void setColumns(const std::array<PlacedListColumn, kOptionalColumnCount>& columns) { m_columns = columns; }
    const std::array<PlacedListColumn, kOptionalColumnCount>& columns() const { return m_columns; }
    report::ReportDefinition definition(const OfficeRow& office, const QDate& today) const;

private:
    std::array<PlacedListColumn, kOptionalColumnCount> m_columns = placeListColumns({});
};

// TQRListForm: the detailed list, three residents a page with photographs.
class TQRListForm {
public:
    static QString title() { return QStringLiteral("Zelvar 2001 [Mahalle Ayrıntılı Bilgi Listesi]"); }
    void setPhotoPrinted(bool on) { m_photo = on; }
    bool photoPrinted() const { return m_photo; }
    report::ReportDefinition definition(const OfficeRow& office, const QDate& today) const;

private:
    bool m_photo = true;
};

// TQRLabelForm: address labels, three columns of ten on a page.
class TQRLabelForm {
public:
    // The labels carry no report title: the print job and the preview go
    // without a name.
    static QString title() { return QString(); }
    report::ReportDefinition definition(const OfficeRow& office) const;
};

// The report instances made at start-up, used by the statistics window.
struct ListReports {
    TQRList list;
    TQRListForm listForm;
    TQRLabelForm labels;
};

} // namespace zelvar
