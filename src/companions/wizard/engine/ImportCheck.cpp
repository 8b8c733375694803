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

// The values a coded field takes, and the other spellings that mean them.
struct Code {
    QString value;
    QStringList spellings;
};

const QVector<Code>* codesOf(const QString& table, const QString& field)
{
    static const QVector<Code> sex = {{"Erkek", {"E", "Bay"}}, {"Kadın", {"K", "Bayan"}}};
    static const QVector<Code> marital = {{"Evli", {}}, {"Bekar", {"Bekâr"}}, {"Dul", {}}};
    static const QVector<Code> dwelling = {{"E", {"Ev"}}, {"A", {"Apt", "Apt.", "Apartman"}}};
    static const QVector<Code> movedOut = {{"1", {"Evet"}}, {"0", {"Hayır"}}};
    static const QVector<Code> photoChoice = {{"1", {"Evet"}}, {"0", {"Hayır"}}};
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

bool isNameField(const TableDef& table, int field)
{
    return (table.name == QLatin1String("zelvarx") && table.fields[field].name == QLatin1String("Adi")) ||
           (table.name == QLatin1String("Nakil") && table.fields[field].name == QLatin1String("ADI_SOYADI"));
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
    : m_mapping(mapping)
{
    for (int f = 0; f < mapping.table->fields.size(); ++f)
        m_columnOfField << mapping.columnOfField(f);
}

QDate RowConverter::parseDate(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return {};
    if (t.size() >= 10 && t[4] == QLatin1Char('-'))
        return QDate::fromString(t.left(10), Qt::ISODate);
    // Day, month and a four-digit year between dots, slashes or dashes; read
    // by hand, as this runs for every date of every row.
    int parts[3] = {0, 0, 0};
    int count = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= t.size(); ++i) {
        if (i < t.size() && t[i] != QLatin1Char('.') && t[i] != QLatin1Char('/') && t[i] != QLatin1Char('-'))
            continue;
        if (count == 3)
            return {};
        const QStringView part = t.mid(start, i - start);
        bool ok = false;
        parts[count] = part.toInt(&ok);
        if (!ok || (count == 2 && part.size() != 4))
            return {};
        ++count;
        start = i + 1;
    }
    if (count != 3)
        return {};
    return QDate(parts[2], parts[1], parts[0]);
}

QByteArray RowConverter::cutText(QByteArrayView utf8, int width, bool* cut)
{
    *cut = false;
    // Plain text that fits is kept as it is: no control character, no
    // direction mark, not too long.
    bool plain = true;
    int characters = 0;
    for (qsizetype i = 0; i < utf8.size() && plain; ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F || c == 0xE2 || c == 0xD8 || c == 0xEF)
            plain = false;
        characters += (c & 0xC0) != 0x80;
    }
    if (plain && (width <= 0 || characters <= width))
        return utf8.toByteArray();
    const QString text = QString::fromUtf8(utf8);
    FieldDef def{QString(), FieldType::Text, width, QString()};
    const QString kept = cutToWidth(def, text);
    *cut = characterCount(kept.toUtf8()) < characterCount(utf8) && (width > 0 && characterCount(utf8) > width);
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
        case FieldType::Memo: {
            if (kind == CellKind::Bytes)
                break;
            QByteArray text = kind == CellKind::Text ? in.bytes(column).toByteArray() : in.displayText(column).toUtf8();
            const QVector<Code>* codes = codesOf(table.name, def.name);
            if (codes) {
                const QString typed = QString::fromUtf8(text).trimmed();
                const QString key = headingKey(typed);
                bool known = typed.isEmpty();
                for (const Code& code : *codes) {
                    bool same = headingKey(code.value) == key;
                    for (const QString& s : code.spellings)
                        same = same || headingKey(s) == key;
                    if (same && !known) {
                        text = code.value.toUtf8();
                        known = true;
                    }
                }
                if (!known) {
                    QStringList values;
                    for (const Code& code : *codes)
                        values << code.value;
                    note(IssueKind::UnknownCode, f,
                         QStringLiteral("%1 tanınan bir değer değil (%2); yazıldığı gibi kaydedilir.")
                             .arg(quoted(typed), values.join(QStringLiteral(", "))));
                }
            }
            if (def.type == FieldType::Text) {
                bool cut = false;
                const QByteArray kept = cutText(text, def.width, &cut);
                if (cut)
                    note(IssueKind::TooLong, f,
                         QStringLiteral("%1 karakter; %2 karaktere kısaltılır: %3")
                             .arg(characterCount(text))
                             .arg(def.width)
                             .arg(quoted(QString::fromUtf8(kept))));
                text = kept;
            }
            out.setText(f, text);
            break;
        }
        case FieldType::Date: {
            QDate date = kind == CellKind::Date ? in.date(column) : QDate();
            if (kind == CellKind::Text)
                date = parseDate(QString::fromUtf8(in.bytes(column)));
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
                QString typed = QString::fromUtf8(in.bytes(column)).trimmed();
                typed.replace(QLatin1Char(','), QLatin1Char('.'));
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
    for (int f = 0; f < table.fields.size(); ++f)
        if (isNameField(table, f) && QString::fromUtf8(out.bytes(f)).trimmed().isEmpty())
            note(IssueKind::EmptyName, f, QStringLiteral("ad boş; ad olmadan kayıt yapılamaz."));
    return mask;
}

// ---------------------------------------------------------------- RowClassifier

RowClassifier::RowClassifier(const TableDef& table, const RegisterFacts& facts, const ColumnMapping& mapping)
    : m_table(table),
      m_facts(facts)
{
    if (table.name == QLatin1String("zelvarx")) {
        m_numberField = table.fieldIndex(QStringLiteral("KayitNo"));
        m_numberRequired = true;
    } else if (table.name == QLatin1String("Nakil")) {
        m_numberField = table.fieldIndex(QStringLiteral("Kayitnum"));
    }
    m_numberMapped = m_numberField >= 0 && mapping.columnOfField(m_numberField) >= 0;
}

QByteArray RowClassifier::personKey(QStringView name, QDate birth)
{
    return (turkish::fold(name.trimmed().toString().simplified()) + QLatin1Char('|') + birth.toString(Qt::ISODate))
        .toUtf8();
}

IssueMask RowClassifier::classify(const SourceRow& row, qint64 line, QVector<Issue>* issues, const QString& file)
{
    IssueMask mask = 0;
    const auto note = [&](IssueKind kind, const QString& field, const QString& detail) {
        mask |= bit(kind);
        if (issues)
            issues->append({m_table.name, file, line, kind, field, detail});
    };
    if (m_numberField >= 0) {
        const QString caption = m_table.fields[m_numberField].caption.isEmpty() ? m_table.fields[m_numberField].name
                                                                                : m_table.fields[m_numberField].caption;
        if (row.kind(m_numberField) == CellKind::Number) {
            const double n = row.number(m_numberField);
            m_highestInFile = std::max(m_highestInFile, n);
            const auto seen = m_numbersSeen.constFind(n);
            if (m_facts.numbers.contains(n))
                note(IssueKind::NumberTaken, caption,
                     QStringLiteral("%1 numarası kayıtlarda zaten var.").arg(numberText(n)));
            else if (seen != m_numbersSeen.cend())
                note(IssueKind::NumberRepeated, caption,
                     QStringLiteral("%1 numarası dosyanın %2. satırında da var.").arg(numberText(n)).arg(seen.value()));
            if (seen == m_numbersSeen.cend())
                m_numbersSeen.insert(n, line);
        } else if (m_numberRequired && !m_numberMapped) {
            mask |= bit(IssueKind::NumberMissing);
        } else if (m_numberRequired) {
            note(IssueKind::NumberMissing, caption, QStringLiteral("kayıt numarası yok."));
        }
    }
    if (m_table.name == QLatin1String("zelvarx")) {
        const int name = m_table.fieldIndex(QStringLiteral("Adi"));
        const int birth = m_table.fieldIndex(QStringLiteral("DogTar"));
        if (row.kind(name) == CellKind::Text && row.kind(birth) == CellKind::Date) {
            const QString who = QString::fromUtf8(row.bytes(name));
            const QByteArray key = personKey(who, row.date(birth));
            // Written only for a row that has an issue: this runs for every row.
            const auto dated = [&] {
                return QStringLiteral("%1, %2").arg(who, row.date(birth).toString(QLatin1String(kDateFormat)));
            };
            if (const auto found = m_facts.people.constFind(key); found != m_facts.people.cend())
                note(IssueKind::ProbableDuplicate, QString(),
                     QStringLiteral("%1: kayıtlarda aynı ad ve doğum tarihli biri var (Kayıt No %2).")
                         .arg(dated(), numberText(found.value())));
            else if (const auto earlier = m_peopleSeen.constFind(key); earlier != m_peopleSeen.cend())
                note(IssueKind::DuplicateInFile, QString(),
                     QStringLiteral("%1: dosyanın %2. satırında aynı ad ve doğum tarihli biri var.")
                         .arg(dated())
                         .arg(earlier.value()));
            else
                m_peopleSeen.insert(key, line);
        }
    } else if (m_table.name == QLatin1String("Randevu")) {
        const int day = m_table.fieldIndex(QStringLiteral("Tarih"));
        const int time = m_table.fieldIndex(QStringLiteral("Saati"));
        const QByteArray key = row.date(day).toString(Qt::ISODate).toUtf8() + ' ' + row.bytes(time).toByteArray();
        const QString when = QStringLiteral("%1 %2").arg(row.date(day).toString(QLatin1String(kDateFormat)),
                                                         QString::fromUtf8(row.bytes(time)));
        if (m_facts.appointments.contains(key))
            note(IssueKind::KeyTaken, QString(), QStringLiteral("%1 için kayıtlı bir randevu var.").arg(when));
        else if (const auto earlier = m_keysSeen.constFind(key); earlier != m_keysSeen.cend())
            note(IssueKind::KeyTaken, QString(),
                 QStringLiteral("%1 için dosyanın %2. satırında da randevu var.").arg(when).arg(earlier.value()));
        else
            m_keysSeen.insert(key, line);
    } else if (m_table.name == QLatin1String("Mahalle")) {
        if (m_facts.officeRowFilled)
            note(IssueKind::OfficeRowPresent, QString(),
                 QStringLiteral("mahalle bilgileri zaten girilmiş; kaydedilirse yenisiyle değiştirilir."));
        else if (!m_keysSeen.isEmpty())
            note(IssueKind::OfficeRowPresent, QString(),
                 QStringLiteral("tabloda birden çok satır var; yalnız ilki alınır."));
        m_keysSeen.insert(QByteArray::number(line), line);
    }
    return mask;
}

} // namespace zelvar::wizard
