// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ResidentSearch.h"

#include "data/Database.h"
#include "data/Dataset.h"
#include "data/Errors.h"
#include "data/FieldDefs.h"
#include "data/TurkishText.h"

namespace zelvar {

const QVector<SearchField>& searchFields()
{
    static const QVector<SearchField> fields{
        {QStringLiteral("Soyadı"), QStringLiteral("Adi"), true},
        {QStringLiteral("Apartman"), QStringLiteral("Apartman"), false},
        {QStringLiteral("Sokak"), QStringLiteral("Sokak"), false},
        {QStringLiteral("Ev No"), QStringLiteral("EvNo"), false},
        {QStringLiteral("Doğ. Yeri"), QStringLiteral("DogYeri"), false},
        {QStringLiteral("Doğ. Tarihi"), QStringLiteral("DogTar"), false},
        {QStringLiteral("İl"), QStringLiteral("Vilayeti"), false},
        {QStringLiteral("İlçe"), QStringLiteral("Kazasi"), false},
        {QStringLiteral("İş"), QStringLiteral("Meslek"), false},
        {QStringLiteral("Baba Adı"), QStringLiteral("BabaAdi"), false},
        {QStringLiteral("Ana Adı"), QStringLiteral("AnaAdi"), false},
        {QStringLiteral("Nü.Dairesi"), QStringLiteral("NC_Daire"), false},
    };
    return fields;
}

namespace {

// Dates are stored as yyyy-MM-dd; the word is typed as dd.mm.yyyy.
QVariant comparedValue(const QString& field, const QString& word)
{
    const FieldDef* def = findTable(QStringLiteral("zelvarx"))->field(field);
    if (!def || !def->isDate())
        return word;
    const QDate date = parseDateText(word);
    if (!date.isValid())
        throw DateEntryError(QStringLiteral("Geçersiz tarih: %1").arg(word));
    return date.toString(QLatin1String(kIsoDateFormat));
}

} // namespace

SearchStatement searchStatement(int fieldIndex, const QString& word)
{
    const SearchField& search = searchFields().at(fieldIndex);
    const QString head = QStringLiteral("select * from zelvarx where ") + quoteIdentifier(search.field);
    // Matched literally, as the register's surname filter does.
    if (search.contains)
        return {head + QStringLiteral(" like ? escape '\\'"),
                {QStringLiteral("%") + turkish::likeLiteral(word) + QStringLiteral("%")}};
    return {head + QStringLiteral(" = ?"), {comparedValue(search.field, word)}};
}

} // namespace zelvar
