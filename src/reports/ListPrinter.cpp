// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ListPrinter.h"

#include "data/TDM2.h"
#include "platform/Printing.h"
#include "platform/Services.h"
#include "report/PagedReport.h"
#include "reports/ListReports.h"
#include "reports/ResidentRows.h"

namespace zelvar {

OfficeRow ListPrinter::office() const
{
    Dataset* mah = m_dm.tbMah;
    if (!mah->isActive() || mah->recordCount() == 0)
        return {};
    return {mah->displayText(QStringLiteral("Il")), mah->displayText(QStringLiteral("Ilce")),
            mah->displayText(QStringLiteral("Mahalle")), mah->displayText(QStringLiteral("Zelvar"))};
}

namespace {

// The rows as stored: a change typed into the grid is saved first, as any
// walk over the rows would.
std::shared_ptr<ResidentRows> rowsOf(Dataset* query)
{
    if (query->isActive())
        query->settle();
    return std::make_shared<ResidentRows>(query);
}

} // namespace

std::shared_ptr<report::PagedReport> ListPrinter::nameList(const TQRList& report) const
{
    return std::make_shared<report::PagedReport>(report.definition(office(), m_services.clock.today()),
                                                 rowsOf(m_dm.Query1));
}

std::shared_ptr<report::PagedReport> ListPrinter::detailedList(const TQRListForm& report) const
{
    return std::make_shared<report::PagedReport>(report.definition(office(), m_services.clock.today()),
                                                 rowsOf(m_dm.Query1));
}

std::shared_ptr<report::PagedReport> ListPrinter::labels(const TQRLabelForm& report) const
{
    return std::make_shared<report::PagedReport>(report.definition(office()), rowsOf(m_dm.Query1));
}

void ListPrinter::previewNameList(const TQRList& report)
{
    m_services.printing.preview(nameList(report));
}

void ListPrinter::previewDetailedList(const TQRListForm& report)
{
    m_services.printing.preview(detailedList(report));
}

void ListPrinter::previewLabels(const TQRLabelForm& report)
{
    m_services.printing.preview(labels(report));
}

} // namespace zelvar
