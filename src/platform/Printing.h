#pragma once
// Printing: the print preview and the printer, for the paged reports. Windows
// and commands reach them only through this interface, so tests replace it
// with FakePrinting and see what was printed without a window.
#include "report/PagedReport.h"

#include <functional>
#include <memory>

namespace zelvar {

class Printing {
public:
    using AfterPrint = std::function<void()>;
    virtual ~Printing() = default;

    // Shows the report in the print preview, captioned with the report's
    // title (which also names the print job), and returns when the user
    // closes it. `afterPrint` runs once after every completed print from the
    // preview; a cancelled printer dialog runs nothing. True when the report
    // was printed at least once.
    virtual bool preview(std::shared_ptr<report::PagedReport> report, const AfterPrint& afterPrint = {}) = 0;
    // Prints without a preview, through the printer dialog, the pages and
    // copies chosen there; true when printed.
    virtual bool print(std::shared_ptr<report::PagedReport> report) = 0;
    // Writes every page into a PDF file; false when it cannot be written.
    virtual bool writePdf(report::PagedReport& report, const QString& path) = 0;
};

} // namespace zelvar
