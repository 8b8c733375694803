// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/RegisterMemory.h"

namespace zelvar {

const QStringList& CarryOver::fields()
{
    // Add writes them in this order: the province code before the province
    // name, so that the carried name is the one that stays.
    static const QStringList list = {
        QStringLiteral("Apartman"),     QStringLiteral("OncekiAdresi"),  QStringLiteral("Oncekiadres2"),
        QStringLiteral("GittigiAdres"), QStringLiteral("Gittigiadres2"), QStringLiteral("Sokak"),
        QStringLiteral("YokTar"),       QStringLiteral("EvNo"),          QStringLiteral("EvDurum1"),
        QStringLiteral("IlKodu"),       QStringLiteral("Vilayeti"),      QStringLiteral("Kazasi"),
        QStringLiteral("MahalleKoyu"),  QStringLiteral("Cilt"),          QStringLiteral("Hane"),
        QStringLiteral("Sayfa"),
    };
    return list;
}

CarryOver::CarryOver()
{
    for (int i = 0; i < fields().size(); ++i)
        texts << QString();
}

} // namespace zelvar
