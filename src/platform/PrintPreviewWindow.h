// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PrintPreviewWindow: shows a paged report page by page, with zoom (whole
// page, page width, 100 %), page navigation, printing through the printer
// dialog, saving as PDF and closing. The first page shows as soon as it is
// laid out; where the others start is found while the window is idle, and
// each page is laid out when it is shown.
#include "platform/ErrorReporter.h"
#include "platform/ReportPrintJob.h"
#include "report/PagedReport.h"

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <memory>

class QAction;
class QLabel;
class QScrollArea;

namespace zelvar {

class Prompter;

class PrintPreviewWindow : public QDialog {
    Q_OBJECT
public:
    enum class Zoom { WholePage, PageWidth, Actual };

    PrintPreviewWindow(std::shared_ptr<report::PagedReport> report, Prompter& prompter, QWidget* parent = nullptr);

    // Where the errors of its buttons go (printing, the log written after
    // it); without one they are logged.
    void setErrorReporter(ErrorReporter* errors) { m_errors = errors; }

    int currentPage() const { return m_page; } // 0-based
    Zoom zoom() const { return m_zoom; }
    int printCount() const { return m_prints; }
    QString pageText() const; // "Sayfa 2 / 5"
    QSize pageViewSize() const;

    // Prints into this PDF file instead of the chosen printer (tests).
    void setPrintToFile(const QString& path) { m_printToFile = path; }

    // The buttons' operations.
    void setZoom(Zoom zoom);
    void firstPage() { showPage(0); }
    void priorPage() { showPage(m_page - 1); }
    void nextPage() { showPage(m_page + 1); }
    void lastPage();
    // Prints the pages chosen in the print dialog (all, a range or the page
    // shown); true when the print job completed.
    bool printReport();
    bool saveAsPdf();

    static QString pdfTitle() { return QStringLiteral("PDF Olarak Kaydet"); }
    static QString pdfFailedMessage() { return QStringLiteral("PDF dosyası yazılamadı !"); }
    static QString printFailedMessage() { return ReportPrintJob::printFailedMessage(); }

signals:
    void printed(); // after every completed print

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void showPage(int index);
    void findSome();
    void render();
    void updateNavigation();
    double pixelsPerMm() const;

    std::shared_ptr<report::PagedReport> m_report;
    Prompter& m_prompter;
    ErrorReporter* m_errors = nullptr;
    QScrollArea* m_scroll;
    QLabel* m_view;
    QLabel* m_pageLabel;
    QAction* m_first;
    QAction* m_prior;
    QAction* m_next;
    QAction* m_last;
    QTimer m_findTimer;
    Zoom m_zoom = Zoom::PageWidth;
    int m_page = 0;
    int m_prints = 0;
    QString m_printToFile;
};

} // namespace zelvar
