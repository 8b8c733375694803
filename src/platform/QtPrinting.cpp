#include "platform/QtPrinting.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/Prompter.h"
#include "platform/ReportPrintJob.h"

#include <QApplication>
#include <QPrinter>

namespace zelvar {

void QtPrinting::prepare(QPrinter& printer, report::PagedReport& report)
{
    printer.setDocName(report.title());
    printer.setFullPage(true);
    printer.setPageLayout(report.definition().pageLayout());
}

bool QtPrinting::preview(std::shared_ptr<report::PagedReport> report, const AfterPrint& afterPrint)
{
    PrintPreviewWindow window(std::move(report), m_prompter, QApplication::activeWindow());
    window.setErrorReporter(m_errors);
    if (afterPrint)
        QObject::connect(&window, &PrintPreviewWindow::printed, afterPrint);
    window.exec();
    return window.printCount() > 0;
}

bool QtPrinting::print(std::shared_ptr<report::PagedReport> report)
{
    // No page is shown, so the dialog offers no current page.
    return ReportPrintJob(*report, m_prompter).run() == ReportPrintJob::Result::Printed;
}

bool QtPrinting::writePdf(report::PagedReport& report, const QString& path)
{
    return report.writePdf(path);
}

} // namespace zelvar
