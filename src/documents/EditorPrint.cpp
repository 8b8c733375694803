#include "documents/EditorPrint.h"

#include "documents/DocumentKind.h"
#include "documents/IssuedDocumentLog.h"
#include "platform/Services.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace zelvar {

EditorPrint::Result EditorPrint::run(const QTextDocument& document, const std::optional<PendingLog>& pending)
{
    Prompter& prompter = m_services.prompter;
    if (prompter.ask(question(), Buttons::YesNo) != Answer::Yes)
        return Result::Declined;
    QPrinter printer(QPrinter::HighResolution);
    if (m_setup)
        m_setup(printer);
    if (!prompter.choosePrinter(printer))
        return Result::Cancelled;
    if (!printText(document, printer)) {
        m_services.sound.exclamation();
        prompter.message(failedMessage(), MessageKind::Warning);
        return Result::Failed;
    }
    // Only a certificate that was printed is logged, and only to the
    // resident it was composed for.
    if (pending)
        log(*pending);
    return Result::Printed;
}

bool EditorPrint::printText(const QTextDocument& document, QPrinter& printer)
{
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // A copy of the text is laid out as on the screen and scaled to the
    // printer: over its printable area less a 2 cm margin on every side of
    // every page, flowing over as many pages as it needs. Unlike
    // QTextDocument::print this adds no page numbers to the certificates.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal layoutDpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const qreal scale = printer.resolution() / layoutDpi;
    std::unique_ptr<QTextDocument> copy(document.clone());
    QTextFrameFormat frame = copy->rootFrame()->frameFormat();
    frame.setMargin(2.0 / 2.54 * layoutDpi);
    copy->rootFrame()->setFrameFormat(frame);
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size() / scale;
    copy->setPageSize(page);
    painter.scale(scale, scale);
    const int pages = copy->pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        painter.save();
        painter.translate(0, -i * page.height());
        copy->drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.restore();
    }
    painter.end();
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

void EditorPrint::log(const PendingLog& pending)
{
    const QString line = documentkind::logLine(DocumentKind, m_services.clock.today());
    if (line.isEmpty())
        return;
    IssuedDocumentLog(m_dm).append(pending.recordNumber, line);
}

} // namespace zelvar
