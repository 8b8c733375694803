#pragma once
// QtPrinting: the real print preview (PrintPreviewWindow) and printer.
#include "platform/Printing.h"

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
    TextPrintResult printText(const QTextDocument& document) override;

private:
    Prompter& m_prompter;
};

} // namespace zelvar
