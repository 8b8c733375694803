// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TQrIkamet: the residence certificate ("İKAMETGAH BELGESİ"), an A5 page
// with the document number and purpose asked in Tsayifrm.
#include "documents/CertificateReport.h"

namespace zelvar {

class TQrIkamet : public CertificateReport {
public:
    QString jobTitle() const override { return QStringLiteral("Zelvar 2001 [İkametgah Belgesi]"); }
    QString logTitle() const override { return QStringLiteral("İkametgah Belgesi "); }
    report::ReportDefinition definition(const OfficeValues& office, const QDate& today) const override;

    QString number;  // "Sayı"
    QString purpose; // "Niçin Verildiği"
};

} // namespace zelvar
