// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// BandWriter: writes a layout table into a report band, one line per row of
// the table: top, left, content, size and weight, all in one font family.
#include "report/ReportDefinition.h"

namespace zelvar {

class BandWriter {
public:
    BandWriter(report::Band& band, QString family)
        : m_band(band),
          m_family(std::move(family))
    {
    }

    void text(double top, double left, const QString& text, double size = 10, bool bold = false)
    {
        m_band.items << report::Item::label(text, font(size, bold)).at(top, left);
    }
    void field(double top, double left, const QString& field, double size = 10, bool bold = false)
    {
        m_band.items << report::Item::value(field, font(size, bold)).at(top, left);
    }
    void centredText(double top, double centre, const QString& text, double size = 10, bool bold = false)
    {
        m_band.items << report::Item::label(text, font(size, bold)).centredOn(top, centre);
    }
    void centredField(double top, double centre, const QString& field, double size = 10, bool bold = false)
    {
        m_band.items << report::Item::value(field, font(size, bold)).centredOn(top, centre);
    }

private:
    report::FontSpec font(double size, bool bold) const { return {m_family, size, bold}; }
    report::Band& m_band;
    QString m_family;
};

} // namespace zelvar
