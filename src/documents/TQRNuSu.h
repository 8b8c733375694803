// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TQRNuSu: the identity-card copy ("NÜFUS CÜZDAN SURETİ"), an A5 page.
#include "documents/CertificateReport.h"

namespace zelvar {

class TQRNuSu : public CertificateReport {
public:
    QString jobTitle() const override { return QStringLiteral("Zelvar 2001 [Nüfus Cüzdan Sureti]"); }
    QString logTitle() const override { return QStringLiteral("Nüfus Cüzdan Sureti "); }
    report::ReportDefinition definition(const OfficeValues& office, const QDate& today) const override;
};

} // namespace zelvar
