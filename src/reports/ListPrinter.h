// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ListPrinter: lays out the list reports of the residents that the listing
// query Query1 holds, headed by the neighbourhood row and dated today, and
// shows them in the print preview, returning when it is closed.
#include "platform/Services.h"
#include <memory>

namespace zelvar {

namespace report {
class PagedReport;
}

class TDM2;
class TQRLabelForm;
class TQRList;
class TQRListForm;
struct OfficeRow;

class ListPrinter {
public:
    ListPrinter(TDM2& dm, const Services& services)
        : m_dm(dm),
          m_services(services)
    {
    }

    void previewNameList(const TQRList& report);
    void previewDetailedList(const TQRListForm& report);
    void previewLabels(const TQRLabelForm& report);

    // The reports as the preview gets them.
    std::shared_ptr<report::PagedReport> nameList(const TQRList& report) const;
    std::shared_ptr<report::PagedReport> detailedList(const TQRListForm& report) const;
    std::shared_ptr<report::PagedReport> labels(const TQRLabelForm& report) const;

    // The neighbourhood row as the lists print it.
    OfficeRow office() const;

private:
    TDM2& m_dm;
    Services m_services;
};

} // namespace zelvar
