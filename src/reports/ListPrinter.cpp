#include "reports/ListPrinter.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "reports/ListReports.h"

namespace zelvar {

OfficeRow ListPrinter::office() const
{
    Dataset* mah = m_dm.tbMah;
    if (!mah->isActive() || mah->recordCount() == 0)
        return {};
    return {mah->displayText(QStringLiteral("Il")), mah->displayText(QStringLiteral("Ilce")),
            mah->displayText(QStringLiteral("Mahalle")), mah->displayText(QStringLiteral("Zelvar"))};
}

// The previews come with the report engine.
void ListPrinter::previewNameList(const TQRList&) {}
void ListPrinter::previewDetailedList(const TQRListForm&) {}
void ListPrinter::previewLabels(const TQRLabelForm&) {}

} // namespace zelvar
