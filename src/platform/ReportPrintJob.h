// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ReportPrintJob: prints a paged report through the print dialog, honouring
// what was chosen there: every page, a page range (clamped to the report) or
// the page shown in the preview, and the number of copies, collated or not.
// Copies the printer cannot make itself are printed here, page by page.
#include "report/PagedReport.h"

#include <QString>
#include <vector>

class QPrinter;

namespace zelvar {

class Prompter;

class ReportPrintJob {
public:
    enum class Result { Printed, Cancelled, NoPages, Failed };

    ReportPrintJob(report::PagedReport& report, Prompter& prompter)
        : m_report(report),
          m_prompter(prompter)
    {
    }

    // The page shown (0-based), offered as "current page"; -1 offers none.
    void setCurrentPage(int page) { m_currentPage = page; }
    // Prints into this PDF file instead of the chosen printer (tests).
    void setPrintToFile(const QString& path) { m_printToFile = path; }

    // Shows the print dialog and prints; tells the user when nothing was
    // printed for a reason other than a cancelled dialog.
    Result run();

    // The report pages (0-based) to send to the printer, in order, for the
    // printer's chosen range and copies.
    static std::vector<int> pagesToPrint(const QPrinter& printer, int pageCount, int currentPage);

    static QString printFailedMessage() { return QStringLiteral("Yazdırma tamamlanamadı !"); }
    static QString noPagesMessage() { return QStringLiteral("Seçilen aralıkta yazdırılacak sayfa yok !"); }

private:
    report::PagedReport& m_report;
    Prompter& m_prompter;
    int m_currentPage = -1;
    QString m_printToFile;
};

} // namespace zelvar
