// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/NameListColumns.h"

namespace zelvar {

const std::array<OptionalListColumn, kOptionalColumnCount>& optionalListColumns()
{
    static const std::array<OptionalListColumn, kOptionalColumnCount> columns{{
        {QStringLiteral("Baba Adı"), QStringLiteral("Baba Adı"), QStringLiteral("BabaAdi")},
        {QStringLiteral("Ana Adı"), QStringLiteral("Ana Adı"), QStringLiteral("AnaAdi")},
        {QStringLiteral("İşi"), QStringLiteral("İşi"), QStringLiteral("Meslek")},
        {QStringLiteral("Ev No"), QStringLiteral("Ev No"), QStringLiteral("EvNo")},
        {QStringLiteral("Doğum Yeri"), QStringLiteral("Doğ.Yeri"), QStringLiteral("Dogyeri")},
        {QStringLiteral("Doğum Tarihi"), QStringLiteral("Doğ.Tar."), QStringLiteral("Dogtar")},
        {QStringLiteral("Medeni Hali"), QStringLiteral("Med.Hali"), QStringLiteral("Medeni")},
        {QStringLiteral("Telefon"), QStringLiteral("Telefon"), QStringLiteral("Telefon")},
    }};
    return columns;
}

std::array<PlacedListColumn, kOptionalColumnCount> placeListColumns(const ColumnChoice& chosen)
{
    std::array<PlacedListColumn, kOptionalColumnCount> placed;
    int x = kFirstColumnLeft;
    for (int i = 0; i < kOptionalColumnCount; ++i) {
        placed[i].left = x;
        if (!chosen[i])
            continue;
        const OptionalListColumn& column = optionalListColumns()[i];
        placed[i].heading = column.heading;
        placed[i].field = column.field;
        placed[i].width = kColumnWidth;
        x += kColumnPitch;
    }
    return placed;
}

double reportPixelsToMm(double pixels)
{
    return pixels * 25.4 / 96.0;
}

} // namespace zelvar
