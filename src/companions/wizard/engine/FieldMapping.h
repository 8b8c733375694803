// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pairing a file's columns with a table's fields. A heading that is a field
// name ("Adi", "KAYITNO") or the caption the register window shows for it
// ("Adı - Soyadı", "Doğum Tarihi") maps by itself, and so do the words an
// office writes in its own lists ("Adı Soyadı", "Anne Adı", "Cep Telefonu").
#include "data/FieldDefs.h"

#include <QStringList>
#include <QVector>

namespace zelvar::wizard {

struct ColumnMapping {
    const TableDef* table = nullptr;
    QVector<int> fieldOfColumn; // the field each column fills; -1 for none

    // The column that fills the field; -1 when none does.
    int columnOfField(int field) const { return int(fieldOfColumn.indexOf(field)); }
    int mappedCount() const;
};

// A heading reduced for comparison: Turkish letters folded to their plain
// Latin ones, case and everything but letters and digits dropped.
QString headingKey(const QString& heading);

// The field a heading names in `table`, or -1.
int fieldForHeading(const QString& heading, const TableDef& table);
ColumnMapping guessMapping(const QStringList& headings, const TableDef& table);

// The tables a spreadsheet can be imported into: residents, move-out file,
// appointments, and the office row, so that every table exported comes back.
QVector<const TableDef*> importableTables();
// The one of them whose fields the headings name most; residents when none.
const TableDef* guessTable(const QStringList& headings);

} // namespace zelvar::wizard
