#pragma once
// ReportFonts: turns the font names the layouts give into Qt fonts and
// measures text in millimetres.
//
// The layouts ask for "Courier New", "Arial" and "MS Sans Serif". fontconfig
// answers those names with the metric-compatible Liberation Mono and
// Liberation Sans (and DejaVu Sans for the old screen font), so widths on the
// page match the layouts. Hinting is off so that a text measures the same at
// every resolution.
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
    // The family fontconfig picks for a layout's name, e.g. "Liberation Sans" for "Arial".
    static QString resolvedFamily(const QString& layoutFamily);

    double widthMm(const QString& text, const FontSpec& wanted);
    double lineHeightMm(const FontSpec& wanted); // ascent + descent
    double ascentMm(const FontSpec& wanted);

private:
    const QFontMetricsF& metrics(const FontSpec& wanted);
    QImage m_reference; // a 1200 dpi device to measure on
    QHash<QString, std::shared_ptr<QFontMetricsF>> m_metrics;
};

} // namespace zelvar::report
