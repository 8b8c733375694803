// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/Provinces.h"

#include <QStringList>

namespace zelvar {

namespace {

// Index = code - 1. 33 keeps its old name "İçel"; 81 Düzce became a province
// in 1999 and is included so that today's residents get a province name.
const QStringList& names()
{
    static const QStringList list = {
        "Adana",     "Adıyaman",  "Afyonkarahisar", "Ağrı",    "Amasya",     "Ankara",        "Antalya",    "Artvin",
        "Aydın",     "Balıkesir", "Bilecik",        "Bingöl",  "Bitlis",     "Bolu",          "Burdur",     "Bursa",
        "Çanakkale", "Çankırı",   "Çorum",          "Denizli", "Diyarbakır", "Edirne",        "Elazığ",     "Erzincan",
        "Erzurum",   "Eskişehir", "Gaziantep",      "Giresun", "Gümüşhane",  "Hakkari",       "Hatay",      "Isparta",
        "İçel",      "İstanbul",  "İzmir",          "Kars",    "Kastamonu",  "Kayseri",       "Kırklareli", "Kırşehir",
        "Kocaeli",   "Konya",     "Kütahya",        "Malatya", "Manisa",     "Kahramanmaraş", "Mardin",     "Muğla",
        "Muş",       "Nevşehir",  "Niğde",          "Ordu",    "Rize",       "Sakarya",       "Samsun",     "Siirt",
        "Sinop",     "Sivas",     "Tekirdağ",       "Tokat",   "Trabzon",    "Tunceli",       "Şanlıurfa",  "Uşak",
        "Van",       "Yozgat",    "Zonguldak",      "Aksaray", "Bayburt",    "Karaman",       "Kırıkkale",  "Batman",
        "Şırnak",    "Bartın",    "Ardahan",        "Iğdır",   "Yalova",     "Karabük",       "Kilis",      "Osmaniye",
        "Düzce"};
    return list;
}

} // namespace

std::optional<QString> provinceName(int code)
{
    if (code < 1 || code > names().size())
        return std::nullopt;
    return names()[code - 1];
}

std::optional<int> parseProvinceCode(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (QChar c : trimmed)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    return trimmed.toInt();
}

} // namespace zelvar
