// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one table of field definitions: every table, its fields, their types,
// widths and captions. The schema, the bound controls' length limits and the
// exports all read it from here.
#include <QString>
#include <QVector>

namespace zelvar {

enum class FieldType { Text, Memo, Date, Number, Integer, Blob, AutoInc };

struct FieldDef {
    QString name;
    FieldType type;
    int width;       // characters for text, bytes held in the row for memo; 0 otherwise
    QString caption; // the register window's caption, or empty

    bool isText() const { return type == FieldType::Text; }
    bool isDate() const { return type == FieldType::Date; }
    bool isNumeric() const
    {
        return type == FieldType::Number || type == FieldType::Integer || type == FieldType::AutoInc;
    }
};

struct TableDef {
    QString name; // SQL name, as in "select * from zelvarx"
    QVector<FieldDef> fields;
    QStringList keyFields; // primary key or the index the program orders on
    // The schema version (PRAGMA user_version) that added the table: a
    // database of an earlier version gets it when it is first opened.
    int since = 1;

    int fieldIndex(const QString& fieldName) const; // case-insensitive; -1 if absent
    const FieldDef* field(const QString& fieldName) const;
};

// All tables of the data folder: the register's, then the companion
// programs' own (the address book's "Adresler", the notebook's "Notlar").
const QVector<TableDef>& allTables();

// Text as a field stores it: a text field keeps no control characters and
// at most its width of characters; other fields keep it unchanged.
QString cutToWidth(const FieldDef& def, const QString& text);

// Finds a table by any spelling the program uses: "zelvarx", "Foto.DB",
// "foto", "Mahalle.db". Returns nullptr for an unknown name.
const TableDef* findTable(const QString& name);

// The bar labels of the two statistics tables, in their row order.
QStringList headcountLabels();
QStringList ageBracketLabels();

// The date form shown and typed everywhere.
inline const char* kDateFormat = "dd.MM.yyyy";
inline const char* kIsoDateFormat = "yyyy-MM-dd";
// The edit mask of the date fields.
inline const char* kDateEditMask = "!99/99/0000;1;_";

} // namespace zelvar
