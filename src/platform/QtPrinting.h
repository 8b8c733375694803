// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// QtPrinting: the real print preview (PrintPreviewWindow) and printer.
#include "platform/Printing.h"

namespace zelvar {

class ErrorReporter;
class Prompter;

class QtPrinting : public Printing {
public:
    // The preview's buttons report their errors to `errors`, when given.
    explicit QtPrinting(Prompter& prompter, ErrorReporter* errors = nullptr)
        : m_prompter(prompter),
          m_errors(errors)
    {
    }

    bool preview(std::shared_ptr<report::PagedReport> report, const AfterPrint& afterPrint) override;
    bool print(std::shared_ptr<report::PagedReport> report) override;
    TextPrintResult printText(const QTextDocument& document) override;

private:
    Prompter& m_prompter;
    ErrorReporter* m_errors;
};

} // namespace zelvar
