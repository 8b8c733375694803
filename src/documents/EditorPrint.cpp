// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/EditorPrint.h"

#include "documents/DocumentKind.h"
#include "documents/IssuedDocumentLog.h"
#include "platform/Printing.h"
#include "platform/Services.h"

namespace zelvar {

EditorPrint::Result EditorPrint::run(const QTextDocument& document, const std::optional<PendingLog>& pending)
{
    Prompter& prompter = m_services.prompter;
    if (prompter.ask(question(), Buttons::YesNo) != Answer::Yes)
        return Result::Declined;
    switch (m_services.printing.printText(document)) {
    case TextPrintResult::Cancelled:
        return Result::Cancelled;
    case TextPrintResult::Failed:
        m_services.sound.exclamation();
        prompter.message(failedMessage(), MessageKind::Warning);
        return Result::Failed;
    case TextPrintResult::Printed:
        break;
    }
    // Only a certificate that was printed is logged, and only to the
    // resident it was composed for.
    if (pending)
        log(*pending);
    return Result::Printed;
}

void EditorPrint::log(const PendingLog& pending)
{
    const QString line = documentkind::logLine(DocumentKind, m_services.clock.today());
    if (line.isEmpty())
        return;
    IssuedDocumentLog(m_dm).append(pending.recordNumber, line);
}

} // namespace zelvar
