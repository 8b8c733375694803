// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrintPreviewWindow.h"
#include "platform/FreedMemory.h"
#include "platform/Prompter.h"
#include "platform/ReportPrintJob.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace zelvar {

namespace {

constexpr int kPageGapPx = 16;   // grey border round the page
constexpr int kFindSliceMs = 30; // page finding per idle turn, so the window stays responsive

} // namespace

PrintPreviewWindow::PrintPreviewWindow(std::shared_ptr<report::PagedReport> report, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      m_report(std::move(report)),
      m_prompter(prompter)
{
    setWindowTitle(m_report->title());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(820, 900);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();

    m_view = new QLabel;
    m_view->setAlignment(Qt::AlignCenter);
    m_view->setAccessibleName(QStringLiteral("Sayfa"));
    m_scroll = new QScrollArea;
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);

    // Page 1 now; where the others start is found while the window waits
    // for the user, and each is laid out when it is shown.
    connect(&m_findTimer, &QTimer::timeout, this, [this] { runCommand(m_errors, [this] { findSome(); }); });
    if (!m_report->isComplete())
        m_findTimer.start(0);
    showPage(0);
}

void PrintPreviewWindow::buildToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(bar);
    const auto add = [this, bar](const QString& text, auto slot) {
        QAction* a = bar->addAction(text);
        connect(a, &QAction::triggered, this, [this, slot] { runCommand(m_errors, slot); });
        return a;
    };
    // Print, save and close first, so that a narrow window still shows them.
    add(QStringLiteral("Yazdır"), [this] { printReport(); });
    add(QStringLiteral("PDF Olarak Kaydet"), [this] { saveAsPdf(); });
    add(QStringLiteral("Kapat"), [this] { close(); });
    bar->addSeparator();
    add(QStringLiteral("Tüm Sayfa"), [this] { setZoom(Zoom::WholePage); });
    add(QStringLiteral("Sayfa Genişliği"), [this] { setZoom(Zoom::PageWidth); });
    add(QStringLiteral("%100"), [this] { setZoom(Zoom::Actual); });
    bar->addSeparator();
    m_first = add(QStringLiteral("İlk"), [this] { firstPage(); });
    m_prior = add(QStringLiteral("Önceki"), [this] { priorPage(); });
    m_pageLabel = new QLabel;
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pageLabel);
    m_next = add(QStringLiteral("Sonraki"), [this] { nextPage(); });
    m_last = add(QStringLiteral("Son"), [this] { lastPage(); });
}

QString PrintPreviewWindow::pageText() const
{
    const QString total = m_report->isComplete() ? QString::number(m_report->pagesFound())
                                                 : QString::number(m_report->pagesFound()) + QStringLiteral("+");
    return QStringLiteral("Sayfa %1 / %2").arg(m_page + 1).arg(total);
}

QSize PrintPreviewWindow::pageViewSize() const
{
    return m_view->size();
}

void PrintPreviewWindow::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    render();
}

void PrintPreviewWindow::lastPage()
{
    showPage(m_report->pageCount() - 1);
}

void PrintPreviewWindow::showPage(int index)
{
    m_report->page(index); // finds the pages up to it
    m_page = qBound(0, index, m_report->pagesFound() - 1);
    render();
}

void PrintPreviewWindow::findSome()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kFindSliceMs && m_report->findMore(256)) {
    }
    if (m_report->isComplete())
        m_findTimer.stop();
    updateNavigation();
}

double PrintPreviewWindow::pixelsPerMm() const
{
    const QSizeF page = m_report->definition().pageSizeMm();
    const QSize room = m_scroll->viewport()->size() - QSize(2 * kPageGapPx, 2 * kPageGapPx);
    switch (m_zoom) {
    case Zoom::WholePage:
        return qMax(0.5, qMin(room.width() / page.width(), room.height() / page.height()));
    case Zoom::PageWidth:
        return qMax(0.5, (room.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / page.width());
    case Zoom::Actual:
        break;
    }
    return logicalDpiX() / 25.4;
}

void PrintPreviewWindow::render()
{
    const double scale = pixelsPerMm();
    const QSizeF mm = m_report->definition().pageSizeMm();
    QImage image(qRound(mm.width() * scale), qRound(mm.height() * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(scale * 1000));
    image.setDotsPerMeterY(qRound(scale * 1000));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        m_report->paintPage(m_page, painter);
    }
    m_view->setPixmap(QPixmap::fromImage(image));
    m_view->resize(image.size() + QSize(2 * kPageGapPx, 2 * kPageGapPx));
    updateNavigation();
}

void PrintPreviewWindow::updateNavigation()
{
    const bool more = !m_report->isComplete() || m_page + 1 < m_report->pagesFound();
    m_first->setEnabled(m_page > 0);
    m_prior->setEnabled(m_page > 0);
    m_next->setEnabled(more);
    m_last->setEnabled(more);
    m_pageLabel->setText(pageText());
}

bool PrintPreviewWindow::printReport()
{
    ReportPrintJob job(*m_report, m_prompter);
    job.setCurrentPage(m_page);
    job.setPrintToFile(m_printToFile);
    if (job.run() != ReportPrintJob::Result::Printed)
        return false;
    ++m_prints;
    emit printed();
    return true;
}

bool PrintPreviewWindow::saveAsPdf()
{
    QString path = m_prompter.saveFileName(pdfTitle(), QDir::homePath(), {QStringLiteral("PDF Dosyaları (*.pdf)")},
                                           QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    const bool written = m_report->writePdf(path);
    returnFreedMemory();
    if (!written) {
        m_prompter.message(pdfFailedMessage(), MessageKind::Warning);
        return false;
    }
    updateNavigation();
    return true;
}

void PrintPreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_zoom != Zoom::Actual)
        render();
}

} // namespace zelvar
