// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// EditorPrint: the editor's print command. It asks "Belge Yazdırılsın mı?",
// then prints the whole text through the printing service. When a
// certificate composed by a template was actually sent to the printer, its
// line goes to the log of the resident it was composed for.
#include "platform/Services.h"
#include <QString>
#include <optional>

class QTextDocument;

namespace zelvar {

class TDM2;

// The resident a template composed the editor's text for.
struct PendingLog {
    int recordNumber = 0;
};

class EditorPrint {
public:
    enum class Result { Declined, Cancelled, Failed, Printed };

    EditorPrint(TDM2& dm, const Services& services)
        : m_dm(dm),
          m_services(services)
    {
    }

    static QString question() { return QStringLiteral("Belge Yazdırılsın mı?"); }
    static QString failedMessage() { return QStringLiteral("Belge Yazdırılamadı !"); }

    Result run(const QTextDocument& document, const std::optional<PendingLog>& pending);

private:
    void log(const PendingLog& pending);

    TDM2& m_dm;
    Services m_services;
};

} // namespace zelvar
