// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrinting.h"
#include "platform/FreedMemory.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/Prompter.h"
#include "platform/ReportPrintJob.h"
#include "platform/TextPrintJob.h"

#include <QApplication>

namespace zelvar {

bool QtPrinting::preview(std::shared_ptr<report::PagedReport> report, const AfterPrint& afterPrint)
{
    int printed = 0;
    {
        PrintPreviewWindow window(std::move(report), m_prompter, QApplication::activeWindow());
        if (afterPrint)
            QObject::connect(&window, &PrintPreviewWindow::printed, afterPrint);
        window.setErrorReporter(m_errors);
        window.exec();
        printed = window.printCount();
    }
    returnFreedMemory();
    return printed > 0;
}

bool QtPrinting::print(std::shared_ptr<report::PagedReport> report)
{
    // No page is shown, so the dialog offers no current page.
    return ReportPrintJob(*report, m_prompter).run() == ReportPrintJob::Result::Printed;
}

TextPrintResult QtPrinting::printText(const QTextDocument& document)
{
    return TextPrintJob(document, m_prompter).run();
}

} // namespace zelvar
