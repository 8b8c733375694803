// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextPrintJob.h"
#include "platform/Prompter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace zelvar {

TextPrintResult TextPrintJob::run()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_prompter.choosePrinter(printer))
        return TextPrintResult::Cancelled;
    return print(printer) ? TextPrintResult::Printed : TextPrintResult::Failed;
}

bool TextPrintJob::print(QPrinter& printer) const
{
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal layoutDpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const qreal scale = printer.resolution() / layoutDpi;
    std::unique_ptr<QTextDocument> copy(m_document.clone());
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

} // namespace zelvar
