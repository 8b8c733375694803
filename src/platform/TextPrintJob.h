// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TextPrintJob: prints a text through the printer dialog. A copy of the text
// is laid out as on the screen and scaled to the printer, over its printable
// area less a 2 cm margin on every side of every page, flowing over as many
// pages as it needs. Unlike QTextDocument::print it adds no page numbers.
#include "platform/Printing.h"

class QPrinter;
class QTextDocument;

namespace zelvar {

class Prompter;

class TextPrintJob {
public:
    TextPrintJob(const QTextDocument& document, Prompter& prompter)
        : m_document(document),
          m_prompter(prompter)
    {
    }

    // Shows the printer dialog and prints.
    TextPrintResult run();

private:
    bool print(QPrinter& printer) const;

    const QTextDocument& m_document;
    Prompter& m_prompter;
};

} // namespace zelvar
