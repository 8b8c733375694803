#include "documents/EditorPrint.h"

#include "documents/DocumentKind.h"
#include "documents/IssuedDocumentLog.h"
#include "platform/Services.h"

#include <QPrinter>
#include <QTextDocument>

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
    if (!print(document, printer)) {
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

bool EditorPrint::print(const QTextDocument& document, QPrinter& printer)
{
    printer.setDocName(QString());
    // QTextDocument lays a copy of the text out on the printer's page and
    // flows it over as many pages as it needs.
    document.print(&printer);
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
