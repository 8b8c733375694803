// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing: the print preview and the printer, for the paged reports and the
// editor's text. Windows and commands reach them only through this interface,
// so tests replace it with FakePrinting and see what was printed without a
// window.
#include "report/PagedReport.h"

#include <functional>
#include <memory>

class QTextDocument;

namespace zelvar {

enum class TextPrintResult { Printed, Cancelled, Failed };

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
    // Prints a text without a preview, through the printer dialog: laid out
    // as on the screen, over the printable area less a 2 cm margin on every
    // side, on as many pages as it needs, without page numbers. Failed: the
    // printer did not take the job.
    virtual TextPrintResult printText(const QTextDocument& document) = 0;
};

} // namespace zelvar
