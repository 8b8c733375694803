// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/FieldMapping.h"

#include "data/TurkishText.h"

#include <QHash>

namespace zelvar::wizard {

namespace {

// Words offices head their own lists with, beside the field names and the
// register window's captions.
const QHash<QString, QStringList>& residentAliases()
{
    static const QHash<QString, QStringList> aliases = {
        {"Adi", {"Adı Soyadı", "Ad Soyad", "Adı ve Soyadı", "Ad ve Soyad", "İsim Soyisim", "İsim", "Adı"}},
        {"YokTar", {"Yoklama Tarihi", "Taşındığı Tarih", "Taşınma Tarihi", "Geliş Tarihi"}},
        {"Sokak", {"Cadde", "Sokak", "Cadde Sokak", "Adres"}},
        {"EvDurum1", {"Ev Sahibi Kiracı", "Ev Sahibi", "Oturma Durumu"}},
        {"EvNo", {"Ev No", "Kapı No", "Daire No", "Kapı Daire No"}},
        {"AnaAdi", {"Anne Adı", "Annesinin Adı"}},
        {"BabaAdi", {"Babasının Adı"}},
        {"Tabiyeti", {"Uyruğu", "Uyruk", "Tabiiyeti"}},
        {"Cinsiyeti", {"Cinsiyet"}},
        {"Meslek", {"Mesleği", "İşi"}},
        {"Dini", {"Din"}},
        {"Medeni", {"Medeni Hal", "Medeni Durum", "Medeni Durumu"}},
        {"Telefon", {"Telefon", "Tel", "Ev Tel"}},
        {"IsTelefon", {"İş Tel"}},
        {"CepTel", {"Cep Telefonu", "Cep Tel", "Cep", "GSM"}},
        {"Vilayeti", {"İl", "Nüfus İl", "Vilayet"}},
        {"Kazasi", {"İlçe", "Nüfus İlçe", "Kaza"}},
        {"MahalleKoyu", {"Mahalle Köy", "Nüfus Mahalle", "Köyü"}},
        {"Hane", {"Hane No", "Aile Sıra"}},
        {"Cilt", {"Cilt"}},
        {"EvDuru2", {"Okur Yazar", "Okur Yazar mı"}},
        {"Apartman", {"Apartman"}},
        {"Yakinlik", {"Yakınlık", "Yakınlık Derecesi"}},
        {"KayitNo", {"Kayıt Numarası", "Kayıt No"}},
        {"Konuturu", {"Konut Türü", "Konut"}},
        {"Not", {"Açıklama", "Notlar"}},
    };
    return aliases;
}

const QHash<QString, QStringList>& moveOutAliases()
{
    static const QHash<QString, QStringList> aliases = {
        {"ADI_SOYADI", {"Adı Soyadı", "Ad Soyad"}},
        {"Tarih", {"Ayrılış Tarihi"}},
    };
    return aliases;
}

QChar plainLetter(QChar c)
{
    switch (c.unicode()) {
    case u'ç':
        return QLatin1Char('c');
    case u'ğ':
        return QLatin1Char('g');
    case u'ı':
        return QLatin1Char('i');
    case u'ö':
        return QLatin1Char('o');
    case u'ş':
        return QLatin1Char('s');
    case u'ü':
        return QLatin1Char('u');
    case u'â':
        return QLatin1Char('a');
    case u'î':
        return QLatin1Char('i');
    case u'û':
        return QLatin1Char('u');
    default:
        return c;
    }
}

} // namespace

int ColumnMapping::mappedCount() const
{
    int n = 0;
    for (int f : fieldOfColumn)
        n += f >= 0;
    return n;
}

QString headingKey(const QString& heading)
{
    QString key;
    for (QChar c : turkish::fold(heading)) {
        c = plainLetter(c);
        if (c.isLetterOrNumber())
            key += c;
    }
    return key;
}

int fieldForHeading(const QString& heading, const TableDef& table)
{
    const QString key = headingKey(heading);
    if (key.isEmpty())
        return -1;
    // Field names first: "Sayfa" is a field, "Sıra No" its caption.
    for (int f = 0; f < table.fields.size(); ++f)
        if (headingKey(table.fields[f].name) == key)
            return f;
    for (int f = 0; f < table.fields.size(); ++f)
        if (!table.fields[f].caption.isEmpty() && headingKey(table.fields[f].caption) == key)
            return f;
    const auto& aliases = table.name == QLatin1String("zelvarx") ? residentAliases() : moveOutAliases();
    if (table.name == QLatin1String("zelvarx") || table.name == QLatin1String("Nakil"))
        for (auto it = aliases.cbegin(); it != aliases.cend(); ++it)
            for (const QString& alias : it.value())
                if (headingKey(alias) == key)
                    return table.fieldIndex(it.key());
    return -1;
}

ColumnMapping guessMapping(const QStringList& headings, const TableDef& table)
{
    ColumnMapping mapping;
    mapping.table = &table;
    for (const QString& heading : headings) {
        int field = fieldForHeading(heading, table);
        if (mapping.fieldOfColumn.contains(field))
            field = -1; // a second column for the same field is left out
        mapping.fieldOfColumn << field;
    }
    return mapping;
}

QVector<const TableDef*> importableTables()
{
    return {findTable(QStringLiteral("zelvarx")), findTable(QStringLiteral("Nakil")),
            findTable(QStringLiteral("Randevu")), findTable(QStringLiteral("Mahalle"))};
}

const TableDef* guessTable(const QStringList& headings)
{
    const TableDef* best = importableTables().first();
    int bestCount = guessMapping(headings, *best).mappedCount();
    for (const TableDef* table : importableTables()) {
        // Only a sheet headed by the table's own field names is taken for
        // the move-out file or the appointments.
        int exact = 0;
        for (const QString& h : headings)
            exact += table->fieldIndex(h.trimmed()) >= 0;
        if (table != importableTables().first() && qsizetype{exact} * 2 > table->fields.size() && exact > bestCount) {
            best = table;
            bestCount = exact;
        }
    }
    return best;
}

} // namespace zelvar::wizard
