// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TQRDeg: the front page of the identity-card change certificate ("NÜFUS
// CÜZDANI DEĞİŞTİRME BELGESİ"), an A5 page with the reason the old card was
// lost and four lines of the resident's work address.
#include "documents/CertificateReport.h"

#include <QStringList>

namespace zelvar {

class TQRDeg : public CertificateReport {
public:
    QString jobTitle() const override { return QStringLiteral("Zelvar 2001 [Nüfus Cüzdanı Değiştirme Belgesi]"); }
    QString logTitle() const override { return QStringLiteral("Nüfus Cüzdanı Değiştirme Belgesi "); }
    report::ReportDefinition definition(const OfficeValues& office, const QDate& today) const override;

    // The first four lines of a work address, missing ones empty.
    void setWorkAddress(const QString& address);

    QString reason; // "Nüf.Cüz.Kay.Nedeni"
    QStringList workLines{QString(), QString(), QString(), QString()};
};

} // namespace zelvar
