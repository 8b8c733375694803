// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/ImportCheck.h"

#include "data/Dataset.h"
#include "data/TurkishText.h"

#include <cmath>

namespace zelvar::wizard {

namespace {

using D = Decision;

// A value as the report quotes it: in quotes, long ones shortened.
QString quoted(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QString());
    if (shown.size() > 60)
        shown = shown.left(57) + QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

} // namespace

// The values a coded field takes, and the other spellings that mean them;
// their heading keys worked out once.
struct CodeSet {
    struct Code {
        QByteArray value; // as stored, UTF-8
        QStringList keys; // heading keys of the value and its spellings
    };
    QVector<Code> codes;
    QString listed; // "Erkek, Kadın" for the report

    CodeSet(std::initializer_list<std::pair<QString, QStringList>> values)
    {
        QStringList shown;
        for (const auto& [value, spellings] : values) {
            Code code{value.toUtf8(), {headingKey(value)}};
            for (const QString& spelling : spellings)
                code.keys << headingKey(spelling);
            codes << code;
            shown << value;
        }
        listed = shown.join(QStringLiteral(", "));
    }

    // The stored value a typed one means, or null when it is none of them.
    const QByteArray* find(QByteArrayView typed) const
    {
        for (const Code& code : codes)
            if (typed == code.value)
                return &code.value;
        const QString key = headingKey(QString::fromUtf8(typed).trimmed());
        for (const Code& code : codes)
            if (code.keys.contains(key))
                return &code.value;
        return nullptr;
    }
};

namespace {

const CodeSet* codesOf(const QString& table, const QString& field)
{
    static const CodeSet sex = {{"Erkek", {"E", "Bay"}}, {"Kadın", {"K", "Bayan"}}};
    static const CodeSet marital = {{"Evli", {}}, {"Bekar", {"Bekâr"}}, {"Dul", {}}};
    static const CodeSet dwelling = {{"E", {"Ev"}}, {"A", {"Apt", "Apt.", "Apartman"}}};
    static const CodeSet movedOut = {{"1", {"Evet"}}, {"0", {"Hayır"}}};
    static const CodeSet photoChoice = {{"1", {"Evet"}}, {"0", {"Hayır"}}};
    if (table == QLatin1String("zelvarx")) {
        if (field == QLatin1String("Cinsiyeti"))
            return &sex;
        if (field == QLatin1String("Medeni"))
            return &marital;
        if (field == QLatin1String("Konuturu"))
            return &dwelling;
        if (field == QLatin1String("Nakil"))
            return &movedOut;
    }
    if (table == QLatin1String("Mahalle") && field == QLatin1String("Fotobas"))
        return &photoChoice;
    return nullptr;
}

// The field a row of the table cannot be stored without, or -1.
int nameFieldOf(const TableDef& table)
{
    if (table.name == QLatin1String("zelvarx"))
        return table.fieldIndex(QStringLiteral("Adi"));
    if (table.name == QLatin1String("Nakil"))
        return table.fieldIndex(QStringLiteral("ADI_SOYADI"));
    return -1;
}

// Reads a number of 1 to `most` digits; -1 when the text is anything else.
int digits(QByteArrayView text, int most)
{
    if (text.isEmpty() || text.size() > most)
        return -1;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

int characterCount(QByteArrayView utf8)
{
    int n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

const IssueKindInfo& issueKindInfo(IssueKind kind)
{
    static const IssueKindInfo infos[kIssueKindCount] = {
        {QStringLiteral("Tarih olmayan tarih (tarih boş bırakılır)"), {D::Store, D::Skip}},
        {QStringLiteral("Alanına sığmayan metin (kısaltılır)"), {D::Store, D::Skip}},
        {QStringLiteral("Sayı olmayan sayı (boş bırakılır)"), {D::Store, D::Skip}},
        {QStringLiteral("Tanınmayan kodlu değer (yazıldığı gibi)"), {D::Store, D::Skip}},
        {QStringLiteral("Adı boş satır"), {D::Skip}},
        {QStringLiteral("Kayıtlarda zaten olan kayıt numarası"), {D::Renumber, D::Skip}},
        {QStringLiteral("Dosyada tekrarlanan kayıt numarası"), {D::Renumber, D::Skip}},
        {QStringLiteral("Kayıt numarası yok"), {D::Renumber, D::Skip}},
        {QStringLiteral("Kayıtlarda aynı ad ve doğum tarihli biri var (olası mükerrer)"), {D::Skip, D::Store}},
        // An office's own list may hold two people of one name born on one
        // day; the file is taken as it is unless the user says otherwise.
        {QStringLiteral("Dosyada aynı ad ve doğum tarihli iki satır"), {D::Store, D::Skip}},
        {QStringLiteral("Aynı gün ve saatte randevu var"), {D::Skip}},
        {QStringLiteral("Formül hücresi (son hesaplanan değeri alınır)"), {D::Store, D::Skip}},
        {QStringLiteral("Birleştirilmiş hücre (değer yalnız ilk hücrede)"), {D::Store, D::Skip}},
        {QStringLiteral("Okunamayan fotoğraf"), {D::Skip}},
        {QStringLiteral("Sahibi aktarılmayan fotoğraf"), {D::Skip}},
        {QStringLiteral("Mahalle bilgileri zaten girilmiş"), {D::Skip, D::Store}},
    };
    return infos[int(kind)];
}

QString decisionTitle(Decision decision)
{
    switch (decision) {
    case Decision::Skip:
        return QStringLiteral("Satırı atla");
    case Decision::Store:
        return QStringLiteral("Yine de kaydet");
    case Decision::Renumber:
        return QStringLiteral("Yeni numara ver");
    }
    return {};
}

RowFate fateOf(IssueMask mask, const QVector<Decision>& decisions)
{
    RowFate fate;
    for (int k = 0; k < kIssueKindCount; ++k) {
        if (!(mask & bit(IssueKind(k))))
            continue;
        const Decision d = k < decisions.size() ? decisions[k] : issueKindInfo(IssueKind(k)).decisions.first();
        if (d == Decision::Skip)
            fate.write = false;
        else if (d == Decision::Renumber)
            fate.renumber = true;
    }
    return fate;
}

// ---------------------------------------------------------------- RowConverter

RowConverter::RowConverter(const ColumnMapping& mapping)
    : m_mapping(mapping),
      m_nameField(nameFieldOf(*mapping.table))
{
    for (int f = 0; f < mapping.table->fields.size(); ++f) {
        m_columnOfField << mapping.columnOfField(f);
        m_codesOfField << codesOf(mapping.table->name, mapping.table->fields[f].name);
    }
}

QDate RowConverter::parseDate(QByteArrayView text)
{
    const QByteArrayView t = text.trimmed();
    if (t.isEmpty())
        return {};
    // Read by hand, as this runs for every date of every row.
    if (t.size() >= 10 && t[4] == '-') {
        if (t[7] != '-')
            return {};
        const int year = digits(t.first(4), 4);
        const int month = digits(t.sliced(5, 2), 2);
        const int day = digits(t.sliced(8, 2), 2);
        if (year < 0 || month < 0 || day < 0)
            return {};
        return QDate(year, month, day);
    }
    // Day, month and a four-digit year between dots, slashes or dashes.
    int parts[3] = {0, 0, 0};
    int count = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= t.size(); ++i) {
        if (i < t.size() && t[i] != '.' && t[i] != '/' && t[i] != '-')
            continue;
        if (count == 3)
            return {};
        const QByteArrayView part = t.sliced(start, i - start);
        parts[count] = count == 2 ? (part.size() == 4 ? digits(part, 4) : -1) : digits(part.trimmed(), 9);
        if (parts[count] < 0)
            return {};
        ++count;
        start = i + 1;
    }
    if (count != 3)
        return {};
    return QDate(parts[2], parts[1], parts[0]);
}

bool RowConverter::fitsAsItIs(QByteArrayView utf8, int width)
{
    int characters = 0;
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == 0xE2 || c == 0xD8 || c == 0xEF)
            return false;
        characters += (c & 0xC0) != 0x80;
    }
    return width <= 0 || characters <= width;
}

QByteArray RowConverter::cutText(QByteArrayView utf8, int width, bool* cut)
{
    *cut = false;
    if (fitsAsItIs(utf8, width))
        return utf8.toByteArray();
    const QString text = QString::fromUtf8(utf8);
    FieldDef def{QString(), FieldType::Text, width, QString()};
    QString kept = cutToWidth(def, text);
    *cut = characterCount(kept.toUtf8()) < characterCount(utf8) && (width > 0 && characterCount(utf8) > width);
    // A name cut in the middle must not end in the blank before its next word.
    if (*cut)
        while (!kept.isEmpty() && kept.back().isSpace())
            kept.chop(1);
    return kept.toUtf8();
}

QString RowConverter::fieldTitle(int field) const
{
    const FieldDef& def = m_mapping.table->fields[field];
    return def.caption.trimmed().isEmpty() ? def.name : def.caption.trimmed();
}

void RowConverter::report(QVector<Issue>* issues, const SourceRow& in, IssueKind kind, int field,
                          const QString& detail) const
{
    if (!issues)
        return;
    issues->append(
        {m_mapping.table->name, m_file, in.line(), kind, field >= 0 ? fieldTitle(field) : QString(), detail});
}

IssueMask RowConverter::convertText(const SourceRow& in, int column, int f, SourceRow& out,
                                    QVector<Issue>* issues) const
{
    const FieldDef& def = m_mapping.table->fields[f];
    IssueMask mask = 0;
    QByteArray shown; // a number or a date given for a text field, as text
    QByteArrayView text = in.bytes(column);
    if (in.kind(column) != CellKind::Text) {
        shown = in.displayText(column).toUtf8();
        text = shown;
    }
    if (const CodeSet* codes = m_codesOfField[f]; codes && !isBlankText(text)) {
        if (const QByteArray* value = codes->find(text)) {
            text = *value;
        } else {
            mask |= bit(IssueKind::UnknownCode);
            report(issues, in, IssueKind::UnknownCode, f,
                   QStringLiteral("%1 tanınan bir değer değil (%2); yazıldığı gibi kaydedilir.")
                       .arg(quoted(QString::fromUtf8(text).trimmed()), codes->listed));
        }
    }
    // Text as it stands in the source row or as a code's stored value is
    // pointed at; changed text is copied into the row.
    bool copy = !shown.isEmpty();
    QByteArray kept;
    if (def.type == FieldType::Text && !fitsAsItIs(text, def.width)) {
        bool cut = false;
        kept = cutText(text, def.width, &cut);
        if (cut) {
            mask |= bit(IssueKind::TooLong);
            report(issues, in, IssueKind::TooLong, f,
                   QStringLiteral("%1 karakter; %2 karaktere kısaltılır: %3")
                       .arg(characterCount(text))
                       .arg(def.width)
                       .arg(quoted(QString::fromUtf8(kept))));
        }
        text = kept;
        copy = true;
    }
    if (copy)
        out.setText(f, text);
    else
        out.pointAtText(f, text);
    return mask;
}

IssueMask RowConverter::convert(const SourceRow& in, SourceRow& out, QVector<Issue>* issues) const
{
    const TableDef& table = *m_mapping.table;
    out.reset(int(table.fields.size()), in.line());
    IssueMask mask = 0;
    const auto note = [&](IssueKind kind, int field, const QString& detail) {
        mask |= bit(kind);
        report(issues, in, kind, field, detail);
    };
    for (int f = 0; f < table.fields.size(); ++f) {
        const int column = m_columnOfField[f];
        if (column < 0)
            continue;
        const FieldDef& def = table.fields[f];
        if (in.isFormula(column))
            note(IssueKind::Formula, f,
                 QStringLiteral("formül; son hesaplanan değeri %1 alınır.").arg(quoted(in.displayText(column))));
        if (in.isMerged(column))
            note(IssueKind::Merged, f, QStringLiteral("birleştirilmiş hücrenin parçası; boş alınır."));
        const CellKind kind = in.kind(column);
        if (kind == CellKind::Empty)
            continue;
        switch (def.type) {
        case FieldType::Text:
        case FieldType::Memo:
            if (kind != CellKind::Bytes)
                mask |= convertText(in, column, f, out, issues);
            break;
        case FieldType::Date: {
            QDate date = kind == CellKind::Date ? in.date(column) : QDate();
            if (kind == CellKind::Text)
                date = parseDate(in.bytes(column));
            if (date.isValid())
                out.setDate(f, date);
            else
                note(IssueKind::BadDate, f,
                     QStringLiteral("%1 bir tarih değil; boş bırakılır.").arg(quoted(in.displayText(column))));
            break;
        }
        case FieldType::Number:
        case FieldType::Integer:
        case FieldType::AutoInc: {
            bool ok = kind == CellKind::Number;
            double value = in.number(column);
            if (kind == CellKind::Text) {
                QByteArrayView typed = in.bytes(column).trimmed();
                QByteArray withPoint;
                if (typed.contains(',')) {
                    withPoint = typed.toByteArray().replace(',', '.');
                    typed = withPoint;
                }
                value = typed.toDouble(&ok);
            }
            const bool whole = ok && std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15;
            // A record number is a whole number; other number fields may hold fractions.
            const bool numbering = def.name.startsWith(QLatin1String("Kayitn"), Qt::CaseInsensitive);
            if (whole || (ok && std::isfinite(value) && def.type == FieldType::Number && !numbering))
                out.setNumber(f, value);
            else
                note(IssueKind::BadNumber, f,
                     QStringLiteral("%1 bir tam sayı değil; boş bırakılır.").arg(quoted(in.displayText(column))));
            break;
        }
        case FieldType::Blob:
            if (kind == CellKind::Bytes)
                out.setBytes(f, in.bytes(column));
            break;
        }
    }
    if (m_nameField >= 0 && isBlankText(out.bytes(m_nameField)))
        note(IssueKind::EmptyName, m_nameField, QStringLiteral("ad boş; ad olmadan kayıt yapılamaz."));
    return mask;
}

// ---------------------------------------------------------------- RowClassifier

RowClassifier::RowClassifier(const TableDef& table, const RegisterFacts& facts, const ColumnMapping& mapping)
    : m_table(table),
      m_facts(facts)
{
    if (table.name == QLatin1String("zelvarx")) {
        m_kind = Kind::Residents;
        m_numberField = table.fieldIndex(QStringLiteral("KayitNo"));
        m_numberRequired = true;
        m_nameField = table.fieldIndex(QStringLiteral("Adi"));
        m_birthField = table.fieldIndex(QStringLiteral("DogTar"));
    } else if (table.name == QLatin1String("Nakil")) {
        m_kind = Kind::MoveOuts;
        m_numberField = table.fieldIndex(QStringLiteral("Kayitnum"));
    } else if (table.name == QLatin1String("Randevu")) {
        m_kind = Kind::Appointments;
        m_dayField = table.fieldIndex(QStringLiteral("Tarih"));
        m_timeField = table.fieldIndex(QStringLiteral("Saati"));
    } else if (table.name == QLatin1String("Mahalle")) {
        m_kind = Kind::Office;
    }
    m_numberMapped = m_numberField >= 0 && mapping.columnOfField(m_numberField) >= 0;
    if (m_numberField >= 0) {
        const FieldDef& def = table.fields[m_numberField];
        m_numberCaption = def.caption.isEmpty() ? def.name : def.caption;
    }
}

quint64 RowClassifier::personKey(QStringView name, QDate birth)
{
    return qHashMulti(0, turkish::fold(name.toString().simplified()), birth.toJulianDay());
}

IssueMask RowClassifier::note(IssueKind kind, qint64 line, const QString& field, const QString& detail,
                              QVector<Issue>* issues, const QString& file) const
{
    if (issues)
        issues->append({m_table.name, file, line, kind, field, detail});
    return bit(kind);
}

IssueMask RowClassifier::classify(const SourceRow& row, qint64 line, QVector<Issue>* issues, const QString& file)
{
    IssueMask mask = 0;
    if (m_numberField >= 0) {
        if (row.kind(m_numberField) == CellKind::Number) {
            const double n = row.number(m_numberField);
            m_highestInFile = std::max(m_highestInFile, n);
            const auto seen = m_numbersSeen.constFind(n);
            if (m_facts.numbers.contains(n))
                mask |= note(IssueKind::NumberTaken, line, m_numberCaption,
                             QStringLiteral("%1 numarası kayıtlarda zaten var.").arg(numberText(n)), issues, file);
            else if (seen != m_numbersSeen.cend())
                mask |= note(
                    IssueKind::NumberRepeated, line, m_numberCaption,
                    QStringLiteral("%1 numarası dosyanın %2. satırında da var.").arg(numberText(n)).arg(seen.value()),
                    issues, file);
            if (seen == m_numbersSeen.cend())
                m_numbersSeen.insert(n, line);
        } else if (m_numberRequired && !m_numberMapped) {
            mask |= bit(IssueKind::NumberMissing);
        } else if (m_numberRequired) {
            mask |= note(IssueKind::NumberMissing, line, m_numberCaption, QStringLiteral("kayıt numarası yok."), issues,
                         file);
        }
    }
    switch (m_kind) {
    case Kind::Residents:
        mask |= classifyPerson(row, line, issues, file);
        break;
    case Kind::Appointments:
        mask |= classifyAppointment(row, line, issues, file);
        break;
    case Kind::Office:
        if (m_facts.officeRowFilled)
            mask |= note(IssueKind::OfficeRowPresent, line, QString(),
                         QStringLiteral("mahalle bilgileri zaten girilmiş; kaydedilirse yenisiyle değiştirilir."),
                         issues, file);
        else if (!m_keysSeen.isEmpty())
            mask |= note(IssueKind::OfficeRowPresent, line, QString(),
                         QStringLiteral("tabloda birden çok satır var; yalnız ilki alınır."), issues, file);
        m_keysSeen.insert(QByteArray::number(line), line);
        break;
    case Kind::MoveOuts:
    case Kind::Other:
        break;
    }
    return mask;
}

IssueMask RowClassifier::classifyPerson(const SourceRow& row, qint64 line, QVector<Issue>* issues, const QString& file)
{
    if (row.kind(m_nameField) != CellKind::Text || row.kind(m_birthField) != CellKind::Date)
        return 0;
    const QString who = QString::fromUtf8(row.bytes(m_nameField));
    const QDate birth = row.date(m_birthField);
    const quint64 key = personKey(who, birth);
    // Written only for a row that has an issue: this runs for every row.
    const auto dated = [&] { return QStringLiteral("%1, %2").arg(who, birth.toString(QLatin1String(kDateFormat))); };
    if (const auto found = m_facts.people.constFind(key); found != m_facts.people.cend())
        return note(IssueKind::ProbableDuplicate, line, QString(),
                    QStringLiteral("%1: kayıtlarda aynı ad ve doğum tarihli biri var (Kayıt No %2).")
                        .arg(dated(), numberText(found.value())),
                    issues, file);
    if (const auto earlier = m_peopleSeen.constFind(key); earlier != m_peopleSeen.cend())
        return note(IssueKind::DuplicateInFile, line, QString(),
                    QStringLiteral("%1: dosyanın %2. satırında aynı ad ve doğum tarihli biri var.")
                        .arg(dated())
                        .arg(earlier.value()),
                    issues, file);
    m_peopleSeen.insert(key, line);
    return 0;
}

IssueMask RowClassifier::classifyAppointment(const SourceRow& row, qint64 line, QVector<Issue>* issues,
                                             const QString& file)
{
    const QByteArray key =
        row.date(m_dayField).toString(Qt::ISODate).toUtf8() + ' ' + row.bytes(m_timeField).toByteArray();
    const auto when = [&] {
        return QStringLiteral("%1 %2").arg(row.date(m_dayField).toString(QLatin1String(kDateFormat)),
                                           QString::fromUtf8(row.bytes(m_timeField)));
    };
    if (m_facts.appointments.contains(key))
        return note(IssueKind::KeyTaken, line, QString(),
                    QStringLiteral("%1 için kayıtlı bir randevu var.").arg(when()), issues, file);
    if (const auto earlier = m_keysSeen.constFind(key); earlier != m_keysSeen.cend())
        return note(IssueKind::KeyTaken, line, QString(),
                    QStringLiteral("%1 için dosyanın %2. satırında da randevu var.").arg(when()).arg(earlier.value()),
                    issues, file);
    m_keysSeen.insert(key, line);
    return 0;
}

} // namespace zelvar::wizard
