// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ReportFonts: turns the font names the layouts give into Qt fonts and
// measures text in millimetres.
//
// The layouts and windows ask for the old program's fonts by name; the one
// table in ReportFonts.cpp maps each to an installed family with the same
// metrics (Debian's fonts-liberation), so widths on the page and on screen
// match the layouts: "Courier New" is Liberation Mono, "Arial" and the old
// screen font "MS Sans Serif" are Liberation Sans, "Times New Roman" is
// Liberation Serif. Hinting is off so that a text measures the same at every
// resolution.
#include "report/ReportDefinition.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <memory>

namespace zelvar::report {

class ReportFonts {
public:
    ReportFonts();

    static QFont font(const FontSpec& wanted);
    // The installed family that stands in for a name the layouts and windows
    // use, e.g. "Liberation Sans" for "Arial"; other names unchanged.
    static QString installedFamily(const QString& asked);
    // The family a printed text in the layout's font really gets.
    static QString resolvedFamily(const QString& layoutFamily);
    // Makes the windows' fonts asked for by the old names use the same
    // families as the printed pages (QFont substitutions); once at start.
    static void installSubstitutions();

    double widthMm(const QString& text, const FontSpec& wanted);
    double lineHeightMm(const FontSpec& wanted); // ascent + descent
    double ascentMm(const FontSpec& wanted);

private:
    const QFontMetricsF& metrics(const FontSpec& wanted);
    QImage m_reference; // a 1200 dpi device to measure on
    QHash<QString, std::shared_ptr<QFontMetricsF>> m_metrics;
};

} // namespace zelvar::report
