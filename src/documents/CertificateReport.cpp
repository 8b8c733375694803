// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CertificateReport.h"

#include "data/Dataset.h"
#include "data/FieldDefs.h"

namespace zelvar {

OfficeValues OfficeValues::read(const Dataset& tbMah)
{
    OfficeValues v;
    if (!tbMah.isActive() || tbMah.isEmpty())
        return v;
    v.il = tbMah.displayText(QStringLiteral("Il"));
    v.ilce = tbMah.displayText(QStringLiteral("Ilce"));
    v.mahalle = tbMah.displayText(QStringLiteral("Mahalle"));
    v.zelvar = tbMah.displayText(QStringLiteral("Zelvar"));
    return v;
}

report::ReportDefinition CertificateReport::a5Page(const QString& title, double bandHeight)
{
    report::ReportDefinition d;
    d.title = title;
    d.paper = QPageSize::A5;
    d.orientation = QPageLayout::Portrait;
    d.margins = QMarginsF(12.7, 12.7, 12.7, 12.7);
    d.detail.height = bandHeight;
    return d;
}

void CertificateReport::addPhoto(report::Band& band, double top, double left) const
{
    if (!m_photo.isNull())
        band.items << report::Item::image(m_photo, top, left, kPhotoWidth, kPhotoHeight, report::PictureFit::Stretch);
}

QString CertificateReport::dateText(const QDate& day)
{
    // The locale's short date, always with four-digit years.
    return day.toString(QString::fromLatin1(kDateFormat));
}

} // namespace zelvar
