#pragma once
// QtPrinting: the real print preview (PrintPreviewWindow) and printer.
#include "platform/Printing.h"

class QPrinter;

namespace zelvar {

class Prompter;

class QtPrinting : public Printing {
public:
    explicit QtPrinting(Prompter& prompter)
        : m_prompter(prompter)
    {
    }

    bool preview(std::shared_ptr<report::PagedReport> report, const AfterPrint& afterPrint) override;
    bool print(std::shared_ptr<report::PagedReport> report) override;
    bool writePdf(report::PagedReport& report, const QString& path) override;

    // Sets the printer up for the report: its paper, no margins of its own
    // (the report keeps its margins), and the report's title as job name.
    static void prepare(QPrinter& printer, report::PagedReport& report);

private:
    Prompter& m_prompter;
};

} // namespace zelvar
