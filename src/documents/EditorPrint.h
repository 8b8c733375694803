#pragma once
// EditorPrint: the editor's print command. It asks "Belge Yazdırılsın mı?",
// shows the printer dialog and prints the whole text over the printable area
// of as many pages as it needs. When a certificate composed by a template
// was actually sent to the printer, its line goes to the log of the resident
// it was composed for.
#include "platform/Services.h"
#include <QString>
#include <functional>
#include <optional>

class QPrinter;
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

    // Prepares the printer before its dialog (tests print to a PDF file).
    void setPrinterSetup(std::function<void(QPrinter&)> setup) { m_setup = std::move(setup); }

    Result run(const QTextDocument& document, const std::optional<PendingLog>& pending);

private:
    bool print(const QTextDocument& document, QPrinter& printer);
    void log(const PendingLog& pending);

    TDM2& m_dm;
    Services m_services;
    std::function<void(QPrinter&)> m_setup;
};

} // namespace zelvar
