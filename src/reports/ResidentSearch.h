// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search of the listing windows: one resident field, chosen from twelve,
// matched against the typed word. The surname search finds the word anywhere
// in the name; every other field must equal the word.
//
// The word is always a bound parameter, never SQL text: a quote, "%" and
// "_" in it are searched for.
#include <QString>
#include <QVariantList>
#include <QVector>

namespace zelvar {

struct SearchField {
    QString caption; // the item of the "Sözcüğün Türü" group
    QString field;   // the resident field matched
    bool contains;   // the word anywhere in the field; otherwise equal to it
};

// The twelve search fields in the order of the radio group.
const QVector<SearchField>& searchFields();

struct SearchStatement {
    QString sql;
    QVariantList params;
};

// The statement that finds the residents for the word in the field with this
// index of searchFields(). A birth-date word that is not a dd.mm.yyyy date
// throws DateEntryError.
SearchStatement searchStatement(int fieldIndex, const QString& word);

// Every resident.
inline QString allResidentsSql()
{
    return QStringLiteral("select * from zelvarx");
}

} // namespace zelvar
