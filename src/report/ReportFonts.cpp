#include "report/ReportFonts.h"

#include <QFontInfo>

namespace zelvar::report {

namespace {

constexpr double kReferenceDpi = 1200;
constexpr double kMmPerInch = 25.4;

QString key(const FontSpec& wanted)
{
    return wanted.family + QLatin1Char('|') + QString::number(wanted.pointSize) +
           (wanted.bold ? QLatin1String("|b") : QLatin1String(""));
}

} // namespace

ReportFonts::ReportFonts()
    : m_reference(1, 1, QImage::Format_ARGB32)
{
    const int dotsPerMetre = qRound(kReferenceDpi / kMmPerInch * 1000);
    m_reference.setDotsPerMeterX(dotsPerMetre);
    m_reference.setDotsPerMeterY(dotsPerMetre);
}

QFont ReportFonts::font(const FontSpec& wanted)
{
    QFont f(wanted.family);
    f.setPointSizeF(wanted.pointSize);
    f.setBold(wanted.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferQuality));
    return f;
}

QString ReportFonts::resolvedFamily(const QString& layoutFamily)
{
    return QFontInfo(QFont(layoutFamily)).family();
}

const QFontMetricsF& ReportFonts::metrics(const FontSpec& wanted)
{
    const QString k = key(wanted);
    auto it = m_metrics.find(k);
    if (it == m_metrics.end())
        it = m_metrics.insert(k, std::make_shared<QFontMetricsF>(font(wanted), &m_reference));
    return **it;
}

double ReportFonts::widthMm(const QString& text, const FontSpec& wanted)
{
    return metrics(wanted).horizontalAdvance(text) / kReferenceDpi * kMmPerInch;
}

double ReportFonts::lineHeightMm(const FontSpec& wanted)
{
    const QFontMetricsF& m = metrics(wanted);
    return (m.ascent() + m.descent()) / kReferenceDpi * kMmPerInch;
}

double ReportFonts::ascentMm(const FontSpec& wanted)
{
    return metrics(wanted).ascent() / kReferenceDpi * kMmPerInch;
}

} // namespace zelvar::report
