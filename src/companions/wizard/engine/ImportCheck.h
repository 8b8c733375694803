// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check before anything is written: each source row turned into the
// row the register would store (dates read, text cut to its field, codes
// recognised), and every reason it would be refused or changed, by kind, so
// that the user decides per kind: skip the row, store it anyway, or give it
// a new record number.
#include "data/FieldDefs.h"
#include "wizard/engine/Cells.h"
#include "wizard/engine/FieldMapping.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

namespace zelvar::wizard {

enum class IssueKind : quint8 {
    BadDate,           // a date field holds something that is not a date
    TooLong,           // text longer than its field, cut
    BadNumber,         // a number field holds something that is not a number
    UnknownCode,       // a coded field (Cinsiyeti, Medeni, ...) holds another value
    EmptyName,         // a resident without a name
    NumberTaken,       // the record number is already in the register
    NumberRepeated,    // the record number came earlier in the file
    NumberMissing,     // no usable record number
    ProbableDuplicate, // same name and birth date as a resident already in the register
    DuplicateInFile,   // same name and birth date as an earlier row of the file
    KeyTaken,          // an appointment at the same day and time is there already
    Formula,           // a spreadsheet cell held a formula: its last computed value is taken
    Merged,            // a merged cell: its value stands in the first cell only
    PhotoUnreadable,   // a photograph that is not a readable picture
    PhotoWithoutOwner, // a photograph whose resident is not in the import
    OfficeRowPresent,  // the office row is filled in already
};
constexpr int kIssueKindCount = int(IssueKind::OfficeRowPresent) + 1;

enum class Decision : quint8 { Skip, Store, Renumber };

struct IssueKindInfo {
    QString title;               // "Tarih olmayan değer"
    QVector<Decision> decisions; // what the user may choose; the first is the default
};
const IssueKindInfo& issueKindInfo(IssueKind kind);
QString decisionTitle(Decision decision);

// One reason a row would be refused or changed.
struct Issue {
    QString table;   // "zelvarx"
    QString file;    // the source's file name
    qint64 line = 0; // the row's number in its file
    IssueKind kind = IssueKind::BadDate;
    QString field;  // the field's caption or name; empty for the row as a whole
    QString detail; // the reason in Turkish, with the value
};

using IssueMask = quint32;
constexpr IssueMask bit(IssueKind kind)
{
    return IssueMask(1) << int(kind);
}

struct CodeSet;

// Turns source rows into the rows of one table: each field from its mapped
// column, converted to the field's type. Converting never fails: a value
// that does not fit is left out or cut, and the reason reported.
class RowConverter {
public:
    explicit RowConverter(const ColumnMapping& mapping);

    // Fills `out` with one cell per field of the table; gives the kinds of
    // the issues found and, when `issues` is given, appends them. Text that
    // needs no change is pointed at, not copied: `out` is good while `in` is.
    IssueMask convert(const SourceRow& in, SourceRow& out, QVector<Issue>* issues) const;

    const TableDef& table() const { return *m_mapping.table; }
    void setFileName(const QString& file) { m_file = file; }

    // Text as a date: dd.mm.yyyy, d.m.yyyy, dd/mm/yyyy, dd-mm-yyyy, yyyy-mm-dd.
    static QDate parseDate(QByteArrayView text);
    // Text cut to a one-line field of `width` characters as the register
    // cuts it; sets `cut` when characters were dropped. A cut text loses
    // the blanks it then ends in.
    static QByteArray cutText(QByteArrayView utf8, int width, bool* cut);
    // Whether text goes into a one-line field of `width` characters as it
    // is: plain text (no control character, no direction mark) that fits.
    static bool fitsAsItIs(QByteArrayView utf8, int width);

private:
    void report(QVector<Issue>* issues, const SourceRow& in, IssueKind kind, int field, const QString& detail) const;
    QString fieldTitle(int field) const;

    IssueMask convertText(const SourceRow& in, int column, int field, SourceRow& out, QVector<Issue>* issues) const;

    ColumnMapping m_mapping;
    QVector<int> m_columnOfField;
    QVector<const CodeSet*> m_codesOfField; // the values a coded field takes, or null
    int m_nameField = -1;                   // the field a row cannot be stored without
    QString m_file;
};

// What the register holds already, read once before a check or a write:
// the record numbers, the names with birth dates, the appointment times.
struct RegisterFacts {
    QSet<double> numbers;
    double highestNumber = 0;
    QHash<quint64, double> people; // person key (see RowClassifier::personKey) -> record number
    QSet<QByteArray> appointments; // "yyyy-MM-dd hh:mm"
    bool officeRowFilled = false;
};

// The duplicate checks of one table over a run of converted rows: record
// numbers taken or repeated, probable duplicates, appointment clashes. A
// check and a write classify the same rows in the same order and so come
// to the same answer. A file without a record-number column numbers every
// row anew; that is said once in the summary, not row by row.
class RowClassifier {
public:
    RowClassifier(const TableDef& table, const RegisterFacts& facts, const ColumnMapping& mapping);

    IssueMask classify(const SourceRow& converted, qint64 line, QVector<Issue>* issues, const QString& file);

    // The person key of a resident row: a 64-bit hash of the folded name
    // and the birth date. Equal people always get equal keys; two different
    // ones share a key with a chance of 1 in 2^64, so among a million
    // residents a wrong "probable duplicate" comes up about once in 40
    // million imports. A hash, not the text, keeps this check cheap.
    static quint64 personKey(QStringView name, QDate birth);
    // The field that numbers the table's rows (KayitNo, Kayitnum), or -1.
    int numberField() const { return m_numberField; }
    double highestInFile() const { return m_highestInFile; }

private:
    enum class Kind { Residents, MoveOuts, Appointments, Office, Other };
    IssueMask classifyPerson(const SourceRow& row, qint64 line, QVector<Issue>* issues, const QString& file);
    IssueMask classifyAppointment(const SourceRow& row, qint64 line, QVector<Issue>* issues, const QString& file);
    IssueMask note(IssueKind kind, qint64 line, const QString& field, const QString& detail, QVector<Issue>* issues,
                   const QString& file) const;

    const TableDef& m_table;
    const RegisterFacts& m_facts;
    Kind m_kind = Kind::Other;
    QString m_numberCaption;
    int m_nameField = -1; // residents: name and birth date
    int m_birthField = -1;
    int m_dayField = -1; // appointments: day and time
    int m_timeField = -1;
    int m_numberField = -1;
    bool m_numberRequired = false;
    bool m_numberMapped = false;
    QHash<double, qint64> m_numbersSeen;
    QHash<quint64, qint64> m_peopleSeen;
    QHash<QByteArray, qint64> m_keysSeen;
    double m_highestInFile = 0;
};

// Whether a row with these issue kinds is written under these decisions,
// and whether it gets a new number.
struct RowFate {
    bool write = true;
    bool renumber = false;
};
RowFate fateOf(IssueMask mask, const QVector<Decision>& decisions);

} // namespace zelvar::wizard
