// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportFonts.h"

#include <QFontInfo>

namespace zelvar::report {

namespace {

constexpr double kReferenceDpi = 1200;
constexpr double kMmPerInch = 25.4;

struct FamilyMapping {
    const char* asked;
    const char* installed;
};

// The one font mapping of the program.
constexpr FamilyMapping kFamilies[] = {
    {"Courier New", "Liberation Mono"},
    {"Arial", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
};

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

QString ReportFonts::installedFamily(const QString& asked)
{
    for (const FamilyMapping& m : kFamilies)
        if (asked.compare(QLatin1String(m.asked), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(m.installed);
    return asked;
}

void ReportFonts::installSubstitutions()
{
    for (const FamilyMapping& m : kFamilies)
        QFont::insertSubstitution(QString::fromLatin1(m.asked), QString::fromLatin1(m.installed));
}

QFont ReportFonts::font(const FontSpec& wanted)
{
    QFont f(installedFamily(wanted.family));
    f.setPointSizeF(wanted.pointSize);
    f.setBold(wanted.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferQuality));
    return f;
}

QString ReportFonts::resolvedFamily(const QString& layoutFamily)
{
    return QFontInfo(font({layoutFamily, 10})).family();
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
