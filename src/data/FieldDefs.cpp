// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FieldDefs.h"

namespace zelvar {

namespace {

using T = FieldType;

TableDef residentTable()
{
    return {"zelvarx",
            {
                {"Adi", T::Text, 25, "Adı - Soyadı"},
                {"YokTar", T::Date, 0, "TaşındığıTarih"},
                {"Mahalle", T::Text, 25, ""},
                {"Sokak", T::Text, 25, "Cadde / Sokak"},
                {"EvDurum1", T::Text, 10, "Ev sahibi /Kiracı "},
                {"EvNo", T::Text, 8, "Ev / Daire No"},
                {"BabaAdi", T::Text, 25, "Baba Adı"},
                {"AnaAdi", T::Text, 25, "Ana Adı"},
                {"DogYeri", T::Text, 25, "Doğum Yeri"},
                {"DogTar", T::Date, 0, "Doğum Tarihi"},
                {"Tabiyeti", T::Text, 12, "Tabiyeti"},
                {"Cinsiyeti", T::Text, 8, "Cinsiyeti"},
                {"Meslek", T::Text, 25, "İşi / Öğrenciyse Okulu"},
                {"Dini", T::Text, 12, "Dini"},
                {"Medeni", T::Text, 10, "Medeni Hali"},
                {"Telefon", T::Text, 17, "Ev Telefonu"},
                {"IsTelefon", T::Text, 17, "İş Telefonu"},
                {"CepTel", T::Text, 20, "CepTel."},
                {"IsAdresi", T::Memo, 240, "İş Adresi"},
                {"IlKodu", T::Text, 2, "İl Kodu"},
                {"Vilayeti", T::Text, 20, "İli"},
                {"Kazasi", T::Text, 20, "İlçesi"},
                {"MahalleKoyu", T::Text, 20, "Mahalle veya Köyü"},
                {"Hane", T::Text, 10, "Aile Sıra No"},
                {"Cilt", T::Text, 10, "Cilt No"},
                {"Sayfa", T::Text, 10, "Sıra No"},
                {"OncekiAdresi", T::Text, 50, "Geldiği Adres Satır 1"},
                {"Belgeler", T::Memo, 240, "Aldığı Belgeler"},
                {"EvDuru2", T::Text, 10, "Okur-Yazar mı?"},
                {"Apartman", T::Text, 20, "Apartman Adı"},
                {"NC_Seri", T::Text, 15, "Cüzdan/Psprt.Seri No"},
                {"NC_KayitNo", T::Text, 15, "Cüz./Psprt. Kay. No"},
                {"NC_Daire", T::Text, 20, "Verildiği Nüfus Dairesi"},
                {"NC_Nedeni", T::Text, 20, "Veriliş Nedeni"},
                {"NC_Tarihi", T::Date, 0, "Cüz./ Psprt.Tarihi"},
                {"Yakinlik", T::Text, 12, "Yakınlığı"},
                {"GittigiAdres", T::Text, 50, "Gittiği Adres Satır 1"},
                {"Not", T::Memo, 120, "Not"},
                {"KayitNo", T::Number, 0, "Kayıt No"},
                {"Gittigiadres2", T::Text, 40, "Gittiği Adres Satır 2"},
                {"Oncekiadres2", T::Text, 40, "Geldiği Adres Satır 2"},
                {"Nakil", T::Text, 1, ""},
                {"Konuturu", T::Text, 1, "Konutun Türü"},
                {"Sinif_No", T::Text, 10, "Sınıf / No"},
            },
            {"KayitNo"}};
}

QVector<TableDef> buildTables()
{
    return {
        residentTable(),
        {"Mahalle",
         {{"Sira", T::AutoInc, 0, ""},
          {"Il", T::Text, 20, "İl"},
          {"Ilce", T::Text, 20, "İlçe"},
          {"Mahalle", T::Text, 25, "Mahalle veya Köy"},
          {"Zelvar", T::Text, 30, "Zelvarın Adı Soyadı"},
          {"Fotobas", T::Text, 1, "Fotoğraflı Belge"}},
         {"Sira"}},
        // The password is kept as a salted hash, so the field is wide
        // enough for the hash text; the change window still limits the
        // typed password to five characters.
        {"sifre", {{"sifre", T::Text, 160, ""}}, {}},
        {"Foto", {{"Kayitno", T::Number, 0, ""}, {"Foto", T::Blob, 1, ""}, {"Not", T::Text, 100, ""}}, {"Kayitno"}},
        {"Nakil",
         {{"Tarih", T::Date, 0, "Ayrılış Tarihi"},
          {"Kayitnum", T::AutoInc, 0, ""},
          {"ADI_SOYADI", T::Text, 45, "Adı Soyadı"},
          {"Not", T::Memo, 40, "Gittiği Adres"},
          {"Not2", T::Memo, 40, "Not"}},
         {"Kayitnum"}},
        {"Randevu",
         {{"Tarih", T::Date, 0, ""},
          {"Saati", T::Text, 5, ""},
          {"Saati2", T::Text, 5, ""},
          {"Adi", T::Text, 30, ""},
          {"Konu", T::Text, 30, ""},
          {"Telefon", T::Text, 17, ""},
          {"Telefon2", T::Text, 17, ""},
          {"Adres1", T::Text, 40, ""},
          {"Adres2", T::Text, 40, ""},
          {"Not", T::Memo, 80, ""}},
         {"Tarih", "Saati"}},
        {"GRUP1", {{"Grup", T::Text, 30, ""}, {"Sayi", T::Integer, 0, ""}}, {}},
        {"YASLAR", {{"Grup", T::Text, 30, ""}, {"Sayi", T::Integer, 0, ""}}, {}},
        // The address book's contacts: institutions, tradesmen, officials.
        {"Adresler",
         {{"Sira", T::AutoInc, 0, ""},
          {"Adi", T::Text, 40, "Adı Soyadı"},
          {"Kurum", T::Text, 40, "Kurum"},
          {"Unvan", T::Text, 30, "Unvanı"},
          {"Telefon", T::Text, 20, "Telefon"},
          {"Telefon2", T::Text, 20, "Telefon 2"},
          {"EPosta", T::Text, 60, "E-posta"},
          {"Adres1", T::Text, 50, "Adres Satır 1"},
          {"Adres2", T::Text, 50, "Adres Satır 2"},
          {"Not", T::Memo, 240, "Not"}},
         {"Sira"},
         2},
        // The notebook's dated notes: the text as rich text, and once more
        // as plain text for the search.
        {"Notlar",
         {{"Sira", T::AutoInc, 0, ""},
          {"Tarih", T::Date, 0, "Tarih"},
          {"Baslik", T::Text, 80, "Başlık"},
          {"Metin", T::Memo, 240, "Metin"},
          {"DuzMetin", T::Memo, 240, ""}},
         {"Sira"},
         2},
    };
}

// A one-line field keeps no control characters: no line breaks or tabs, no
// direction overrides that would turn the printed text around, no half of a
// character.
bool isDroppedFromOneLine(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Surrogate:
        return true;
    default:
        return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
               (c >= 0x2066 && c <= 0x2069);
    }
}

QString bareTableName(const QString& name)
{
    QString n = name.trimmed();
    if (n.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        n.chop(3);
    return n;
}

} // namespace

int TableDef::fieldIndex(const QString& fieldName) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldDef* TableDef::field(const QString& fieldName) const
{
    const int i = fieldIndex(fieldName);
    return i < 0 ? nullptr : &fields[i];
}

QString cutToWidth(const FieldDef& def, const QString& text)
{
    if (def.type != FieldType::Text)
        return text;
    QString kept;
    kept.reserve(text.size());
    int characters = 0;
    for (int i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        if (isDroppedFromOneLine(c))
            continue;
        if (def.width > 0 && characters == def.width)
            break;
        kept += pair ? text.mid(i, 2) : QString(text[i]);
        ++characters;
        i += pair ? 1 : 0;
    }
    return kept;
}

const QVector<TableDef>& allTables()
{
    static const QVector<TableDef> tables = buildTables();
    return tables;
}

const TableDef* findTable(const QString& name)
{
    const QString bare = bareTableName(name);
    for (const TableDef& t : allTables())
        if (t.name.compare(bare, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList headcountLabels()
{
    return {"Kadın",  "Erkek", "Okur-Yazar", "Okumaz-Yazmaz", "Ev Sahibi",
            "Kiracı", "Evli",  "Bekar",      "İşsiz",         "Azınlık Dininde"};
}

QStringList ageBracketLabels()
{
    return {"0 - 6 Yaş Arası", "6 - 14 Yaş Arası", "14 - 18 Yaş Arası", "18 den Büyük", "20 Yaşında", "65 den Büyük"};
}

} // namespace zelvar
