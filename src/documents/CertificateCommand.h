// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CertificateCommand: prints one of the three certificates for the
// register's current resident, the way every certificate button does it:
//   1. save the office row (it holds the register's photo-print choice);
//   2. stop on an empty register;
//   3. load the resident into the print query Query1 by record number;
//   4. stop when he is not found;
//   5-6. clear the photo, and put his photo on the page (through the
//      clipboard) only when the office prints photos ("Fotobas" exactly "1")
//      and the photo row shown belongs to him;
//   7. the certificate's own question;
//   8. preview; after every completed print one line "<title> dd.MM.yyyy" is
//      added to the issued-documents log of the resident printed.
// An error while preparing ends the run without a message. Errors while
// printing or logging go to the program's error handler.
#include "platform/Services.h"

#include <functional>

namespace zelvar {

class CertificateReport;
class TDM2;
class TQRDeg;
class TQRNuSu;
class TQrIkamet;

class CertificateCommand {
public:
    CertificateCommand(TDM2& dm, Services services);

    // How the residence dialog is shown; by default Tsayifrm, modally.
    // Tests fill the form instead.
    using ResidenceDialog = std::function<void(TQrIkamet&)>;
    void setResidenceDialog(ResidenceDialog dialog) { m_residenceDialog = std::move(dialog); }

    // Each returns true when the preview was shown.
    bool residence(TQrIkamet& form); // "İkametgah Belgesi "
    bool idCardChange(TQRDeg& form); // "Nüfus Cüzdanı Değiştirme Belgesi "
    bool idCardCopy(TQRNuSu& form);  // "Nüfus Cüzdan Sureti "

    static QString reasonTitle() { return QStringLiteral("Ek Bilgi"); }
    static QString reasonPrompt() { return QStringLiteral("Cüzdan Kayıp Nedeni ?"); }
    static QString printQuerySql() { return QStringLiteral("select * from zelvarx where KayitNo = ?"); }
    // The issued-documents line: the title (with its trailing blank) and the
    // date with dots, whatever the locale's separator.
    static QString logLine(const QString& title, const QDate& day);

private:
    bool run(CertificateReport& form, const std::function<void()>& extraStep);
    bool prepare(CertificateReport& form, const std::function<void()>& extraStep, QVariant& recordNumber);
    void saveOfficeRow();
    QImage residentPhoto(const QVariant& recordNumber) const;

    TDM2& m_dm;
    Services m_services;
    ResidenceDialog m_residenceDialog;
};

} // namespace zelvar
