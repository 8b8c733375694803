// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TQRMDForm1: the dwelling residents declaration ("Konutta Kalanlara Ait
// Kimlik Bildirme Belgesi"), an A4 landscape list of the residents in the
// print query: a title band, a column header on every page with the office's
// place and that page's first resident's street, number, telephone and
// dwelling type, one framed box per resident and "Sayfa" + number below.
#include "documents/CertificateReport.h"

namespace zelvar {

class TQRMDForm1 {
public:
    static QString jobTitle() { return QStringLiteral("Konutta Kalanlara Ait Kimlik Bildirme Belgesi"); }
    report::ReportDefinition definition(const OfficeValues& office) const;

    static QColor titleBackground() { return QColor(234, 234, 255); }
};

} // namespace zelvar
