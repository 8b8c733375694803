// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/ImportRun.h"

#include "data/Backup.h"
#include "data/Database.h"
#include "wizard/engine/PhotoConversion.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace zelvar::wizard {

namespace {

constexpr int kProgressStep = 256;
constexpr qint64 kBlockSize = 4 << 20;
constexpr IssueMask kNumberIssues =
    bit(IssueKind::NumberTaken) | bit(IssueKind::NumberRepeated) | bit(IssueKind::NumberMissing);

// The order tables are written in: residents before their photographs.
int writeOrder(const TableDef& table)
{
    static const QStringList order = {"zelvarx", "Foto", "Nakil", "Randevu", "Mahalle"};
    const int i = int(order.indexOf(table.name));
    return i < 0 ? int(order.size()) : i;
}

bool hasBlobField(const TableDef& table)
{
    for (const FieldDef& f : table.fields)
        if (f.type == FieldType::Blob)
            return true;
    return false;
}

bool isPhotoTable(const TableDef& table)
{
    return table.name == QLatin1String("Foto");
}

RegisterFacts readFacts(Database& db, const TableDef& table)
{
    RegisterFacts facts;
    if (table.name == QLatin1String("zelvarx")) {
        Statement st(db.handle(), QStringLiteral("select KayitNo, Adi, DogTar from zelvarx"));
        while (st.step()) {
            if (st.columnIsNull(0))
                continue;
            const double n = st.column(0).toDouble();
            facts.numbers.insert(n);
            facts.highestNumber = std::max(facts.highestNumber, n);
            const QDate birth = QDate::fromString(st.columnText(2), Qt::ISODate);
            if (!st.columnIsNull(1) && birth.isValid())
                facts.people.insert(RowClassifier::personKey(st.columnText(1), birth), n);
        }
    } else if (table.name == QLatin1String("Nakil")) {
        Statement st(db.handle(), QStringLiteral("select Kayitnum from Nakil"));
        while (st.step())
            facts.numbers.insert(st.column(0).toDouble());
    } else if (table.name == QLatin1String("Randevu")) {
        Statement st(db.handle(), QStringLiteral("select Tarih, Saati from Randevu"));
        while (st.step())
            facts.appointments.insert(st.columnText(0).toUtf8() + ' ' + st.columnText(1).toUtf8());
    } else if (table.name == QLatin1String("Mahalle")) {
        facts.officeRowFilled = db.scalar(QStringLiteral("select count(*) from Mahalle")).toInt() > 0;
    }
    return facts;
}

// A date as the register stores it, yyyy-MM-dd, for a year of four digits.
void isoDate(QDate date, char (&out)[10])
{
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    const auto two = [](char* at, int n) {
        at[0] = char('0' + n / 10);
        at[1] = char('0' + n % 10);
    };
    two(out, year / 100);
    two(out + 2, year % 100);
    out[4] = '-';
    two(out + 5, month);
    out[7] = '-';
    two(out + 8, day);
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

// Converted rows kept between the check and the writing, packed one after
// another in large blocks: a tag byte per field, then its value. A row read
// back points at its text in the block.
class StagedRows {
public:
    void clear()
    {
        m_blocks.clear();
        m_bytes = 0;
    }
    qint64 bytes() const { return m_bytes; }

    void append(const SourceRow& row, IssueMask mask)
    {
        const quint16 fields = quint16(row.columnCount());
        qint64 size = qint64(sizeof(qint64) + sizeof mask + sizeof fields) + fields;
        for (int f = 0; f < fields; ++f) {
            const CellKind kind = row.kind(f);
            if (kind == CellKind::Text || kind == CellKind::Bytes)
                size += qint64(sizeof(quint32)) + row.bytes(f).size();
            else if (kind == CellKind::Number || kind == CellKind::Date)
                size += 8;
        }
        if (m_blocks.empty() || m_blocks.back().size() + size > m_blocks.back().capacity()) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(std::max<qint64>(kBlockSize, size));
            m_bytes += m_blocks.back().capacity();
        }
        QByteArray& block = m_blocks.back();
        const qsizetype at = block.size();
        block.resize(at + size);
        char* p = block.data() + at;
        const qint64 line = row.line();
        put(p, &line, sizeof line);
        put(p, &mask, sizeof mask);
        put(p, &fields, sizeof fields);
        for (int f = 0; f < fields; ++f) {
            const CellKind kind = row.kind(f);
            *p++ = char(kind);
            if (kind == CellKind::Text || kind == CellKind::Bytes) {
                const QByteArrayView bytes = row.bytes(f);
                const quint32 length = quint32(bytes.size());
                put(p, &length, sizeof length);
                put(p, bytes.data(), size_t(length));
            } else if (kind == CellKind::Number) {
                const double n = row.number(f);
                put(p, &n, sizeof n);
            } else if (kind == CellKind::Date) {
                const qint64 day = row.date(f).toJulianDay();
                put(p, &day, sizeof day);
            }
        }
    }

    void startReading()
    {
        m_readBlock = 0;
        m_readPos = 0;
    }

    bool read(SourceRow& row, IssueMask& mask)
    {
        while (m_readBlock < m_blocks.size() && m_readPos >= m_blocks[m_readBlock].size()) {
            ++m_readBlock;
            m_readPos = 0;
        }
        if (m_readBlock >= m_blocks.size())
            return false;
        const char* p = m_blocks[m_readBlock].constData() + m_readPos;
        const char* const start = p;
        qint64 line = 0;
        quint16 fields = 0;
        get(p, &line, sizeof line);
        get(p, &mask, sizeof mask);
        get(p, &fields, sizeof fields);
        row.reset(fields, line);
        for (int f = 0; f < fields; ++f) {
            const auto kind = CellKind(*p++);
            if (kind == CellKind::Text || kind == CellKind::Bytes) {
                quint32 size = 0;
                get(p, &size, sizeof size);
                if (kind == CellKind::Text)
                    row.pointAtText(f, QByteArrayView(p, size)); // the block stays till the end
                else
                    row.setBytes(f, QByteArrayView(p, size));
                p += size;
            } else if (kind == CellKind::Number) {
                double n = 0;
                get(p, &n, sizeof n);
                row.setNumber(f, n);
            } else if (kind == CellKind::Date) {
                qint64 day = 0;
                get(p, &day, sizeof day);
                row.setDate(f, QDate::fromJulianDay(day));
            }
        }
        m_readPos += p - start;
        return true;
    }

private:
    static void put(char*& p, const void* data, size_t size)
    {
        if (size > 0)
            memcpy(p, data, size);
        p += size;
    }
    static void get(const char*& p, void* data, size_t size)
    {
        memcpy(data, p, size);
        p += size;
    }

    std::vector<QByteArray> m_blocks;
    qint64 m_bytes = 0;
    size_t m_readBlock = 0;
    qsizetype m_readPos = 0;
};

struct ImportRun::Job {
    std::unique_ptr<ImportSource> source;
    ColumnMapping mapping;
    qint64 expectedRows = -1;
    qint64 read = 0;
    bool staged = false;
    StagedRows rows;
    QVector<IssueMask> masks; // per row read, in order
    QSet<qint64> mergedLines;
    double highestInFile = 0;
    // What the check found in the register, for a write that finds the
    // register unchanged since.
    double highestInRegister = 0;
    bool officeRowFilled = false;

    const TableDef& table() const { return *mapping.table; }
};

ImportRun::ImportRun(Database& db)
    : m_db(db)
{
    for (int k = 0; k < kIssueKindCount; ++k)
        m_decisions << issueKindInfo(IssueKind(k)).decisions.first();
}

ImportRun::~ImportRun() = default;

void ImportRun::add(std::unique_ptr<ImportSource> source, const ColumnMapping& mapping, qint64 expectedRows)
{
    auto job = std::make_unique<Job>();
    job->source = std::move(source);
    job->mapping = mapping;
    job->expectedRows = expectedRows;
    m_jobs.push_back(std::move(job));
    std::stable_sort(m_jobs.begin(), m_jobs.end(),
                     [](const auto& a, const auto& b) { return writeOrder(a->table()) < writeOrder(b->table()); });
    m_checked = false;
}

ImportSource& ImportRun::source(int job)
{
    return *m_jobs[size_t(job)]->source;
}

const ColumnMapping& ImportRun::mapping(int job) const
{
    return m_jobs[size_t(job)]->mapping;
}

void ImportRun::setDecision(IssueKind kind, Decision decision)
{
    if (issueKindInfo(kind).decisions.contains(decision))
        m_decisions[int(kind)] = decision;
}

int ImportRun::issueCount(IssueKind kind) const
{
    int n = 0;
    for (const Issue& issue : m_issues)
        n += issue.kind == kind;
    return n;
}

void ImportRun::check(const ImportProgress& progress)
{
    m_issues.clear();
    m_residentNumbersInFile.clear();
    m_stagedBytes = 0;
    m_checkStamp = m_db.changeStamp();
    for (auto& job : m_jobs)
        checkJob(*job, progress);
    m_checked = true;
}

bool ImportRun::jobNeedsSecondRead(const Job& job) const
{
    return !job.staged;
}

void ImportRun::checkJob(Job& job, const ImportProgress& progress)
{
    const TableDef& table = job.table();
    ImportSource& source = *job.source;
    source.rewind();
    RowConverter converter(job.mapping);
    converter.setFileName(source.fileName());
    const RegisterFacts facts = readFacts(m_db, table);
    RowClassifier classifier(table, facts, job.mapping);
    job.read = 0;
    job.masks.clear();
    job.mergedLines.clear();
    job.rows.clear();
    job.staged = !hasBlobField(table);
    const bool photos = isPhotoTable(table);
    const int photoNumber = table.fieldIndex(QStringLiteral("Kayitno"));
    const int photoField = table.fieldIndex(QStringLiteral("Foto"));
    QSet<double> photoOwners;
    // The residents' numbers are kept only for the photographs that follow them.
    const bool photosFollow =
        std::any_of(m_jobs.cbegin(), m_jobs.cend(), [](const auto& other) { return isPhotoTable(other->table()); });
    SourceRow raw;
    SourceRow row;
    while (source.next(raw)) {
        const IssueMask converted = converter.convert(raw, row, &m_issues);
        IssueMask mask = converted;
        if (photos) {
            const double owner = row.number(photoNumber);
            const auto note = [&](IssueKind kind, const QString& detail) {
                mask |= bit(kind);
                m_issues.append({table.name, source.fileName(), raw.line(), kind, QStringLiteral("Foto"), detail});
            };
            if (row.kind(photoNumber) != CellKind::Number || !m_residentNumbersInFile.contains(owner))
                note(IssueKind::PhotoWithoutOwner,
                     QStringLiteral("%1 numaralı kişi aktarılan kayıtlarda yok.").arg(numberText(owner)));
            else if (photoOwners.contains(owner))
                note(IssueKind::PhotoWithoutOwner,
                     QStringLiteral("%1 numaralı kişinin önceki satırda fotoğrafı var; bir kişinin bir fotoğrafı olur.")
                         .arg(numberText(owner)));
            else if (row.kind(photoField) == CellKind::Bytes && !isReadablePicture(row.bytes(photoField)))
                note(
                    IssueKind::PhotoUnreadable,
                    QStringLiteral("%1 numaralı kişinin fotoğrafı okunabilen bir resim değil.").arg(numberText(owner)));
            photoOwners.insert(owner);
        } else {
            mask |= classifier.classify(row, raw.line(), &m_issues, source.fileName());
        }
        if (photosFollow && table.name == QLatin1String("zelvarx") &&
            row.kind(classifier.numberField()) == CellKind::Number)
            m_residentNumbersInFile.insert(row.number(classifier.numberField()));
        job.masks << mask;
        if (job.staged) {
            const qint64 before = job.rows.bytes();
            job.rows.append(row, converted);
            m_stagedBytes += job.rows.bytes() - before;
            if (m_stagedBytes > kStagingBudget) {
                m_stagedBytes -= job.rows.bytes();
                job.rows.clear();
                job.staged = false;
            }
        }
        ++job.read;
        if (progress && job.read % kProgressStep == 0 && !progress(table.name, job.read, job.expectedRows))
            throw ImportCancelled();
    }
    for (const auto& [line, text] : source.lateNotes()) {
        job.mergedLines.insert(line);
        m_issues.append({table.name, source.fileName(), line, IssueKind::Merged, QString(), text});
    }
    job.highestInFile = classifier.highestInFile();
    job.highestInRegister = facts.highestNumber;
    job.officeRowFilled = facts.officeRowFilled;
    if (progress && !progress(table.name, job.read, job.read))
        throw ImportCancelled();
}

QVector<TableSummary> ImportRun::checkSummary() const
{
    QVector<TableSummary> summary;
    for (const auto& job : m_jobs) {
        TableSummary s;
        s.table = job->table().name;
        s.read = job->read;
        for (IssueMask mask : job->masks) {
            const RowFate fate = fateOf(mask, m_decisions);
            if (!fate.write)
                ++s.skipped;
            else
                ++s.written;
            if (fate.write && fate.renumber && (mask & kNumberIssues))
                ++s.renumbered;
        }
        summary << s;
    }
    return summary;
}

QVector<TableSummary> ImportRun::write(const QString& dataFolder, const QDateTime& now, const ImportProgress& progress,
                                       const std::function<void()>& committing)
{
    if (!m_checked)
        check(progress);
    m_backupFile.clear();
    if (!dataFolder.isEmpty())
        m_backupFile = BackupFolder(dataFolder).backUp(now);
    m_storedNumbers.clear();
    QVector<TableSummary> summary;
    Database::Transaction transaction(m_db);
    // The transaction holds the write lock: nobody can change the register
    // from here on. When nobody did since the check either, the check's
    // findings per row still hold and the rows need not be classified again.
    const bool unchanged = m_db.changeStamp() == m_checkStamp;
    for (auto& job : m_jobs) {
        TableSummary s;
        s.table = job->table().name;
        writeJob(*job, unchanged, progress, s);
        summary << s;
    }
    if (committing)
        committing();
    transaction.commit();
    return summary;
}

void ImportRun::writeJob(Job& job, bool checkHolds, const ImportProgress& progress, TableSummary& summary)
{
    const TableDef& table = job.table();
    RegisterFacts facts;
    if (checkHolds) {
        facts.highestNumber = job.highestInRegister;
        facts.officeRowFilled = job.officeRowFilled;
    } else {
        facts = readFacts(m_db, table);
    }
    RowClassifier classifier(table, facts, job.mapping);
    RowConverter converter(job.mapping);
    QStringList columns;
    QStringList marks;
    for (const FieldDef& f : table.fields) {
        columns << quoteIdentifier(f.name);
        marks << QStringLiteral("?");
    }
    Statement insert(m_db.handle(), QStringLiteral("insert into %1 (%2) values (%3)")
                                        .arg(quoteIdentifier(table.name), columns.join(','), marks.join(',')));
    sqlite3_stmt* st = insert.handle();
    const bool photos = isPhotoTable(table);
    const bool office = table.name == QLatin1String("Mahalle");
    const int numberField = photos ? table.fieldIndex(QStringLiteral("Kayitno")) : classifier.numberField();
    const int photoField = table.fieldIndex(QStringLiteral("Foto"));
    double nextNumber = std::max(facts.highestNumber, job.highestInFile) + 1;
    QSet<double> photoOwners;
    QByteArray png;

    if (job.staged)
        job.rows.startReading();
    else
        job.source->rewind();
    SourceRow raw;
    SourceRow row;
    qint64 index = 0;
    for (;;) {
        IssueMask mask = 0;
        if (job.staged) {
            if (!job.rows.read(row, mask))
                break;
        } else {
            if (!job.source->next(raw))
                break;
            const IssueMask converted = converter.convert(raw, row, nullptr);
            if (!checkHolds)
                mask = converted;
        }
        if (checkHolds && index < job.masks.size())
            mask = job.masks[index];
        else if (photos && index < job.masks.size())
            mask |= job.masks[index] & (bit(IssueKind::PhotoUnreadable) | bit(IssueKind::PhotoWithoutOwner));
        else if (!photos)
            mask |= classifier.classify(row, row.line(), nullptr, QString());
        ++index;
        ++summary.read;
        if (job.mergedLines.contains(row.line()))
            mask |= bit(IssueKind::Merged);
        const RowFate fate = fateOf(mask, m_decisions);
        bool write = fate.write && !(office && summary.written > 0);
        double number = row.kind(numberField) == CellKind::Number ? row.number(numberField) : 0;
        const bool hasNumber = row.kind(numberField) == CellKind::Number;
        if (write && photos) {
            const auto owner = m_storedNumbers.constFind(number);
            write = owner != m_storedNumbers.cend() && !photoOwners.contains(owner.value());
            if (write) {
                number = owner.value();
                png = storedPhoto(row.bytes(photoField));
                write = !png.isEmpty();
            }
        }
        if (!write) {
            ++summary.skipped;
        } else {
            if (office && facts.officeRowFilled)
                m_db.exec(QStringLiteral("delete from Mahalle"));
            bool renumbered = false;
            if (numberField >= 0 && !photos && fate.renumber && (mask & kNumberIssues)) {
                renumbered = true;
                ++summary.renumbered;
            }
            double stored = number;
            if (renumbered && table.name == QLatin1String("zelvarx"))
                stored = nextNumber++;
            if (table.name == QLatin1String("zelvarx") && hasNumber && !m_storedNumbers.contains(number))
                m_storedNumbers.insert(number, stored);
            if (photos) {
                photoOwners.insert(number);
                m_db.exec(QStringLiteral("delete from Foto where Kayitno = ?"), {number});
            }
            sqlite3_reset(st);
            for (int f = 0; f < table.fields.size(); ++f) {
                const int position = f + 1;
                const FieldDef& def = table.fields[f];
                if (f == numberField && (renumbered || photos || stored != number)) {
                    if (renumbered && table.name != QLatin1String("zelvarx"))
                        sqlite3_bind_null(st, position); // the table numbers it itself
                    else
                        sqlite3_bind_double(st, position, stored);
                    continue;
                }
                if (photos && f == photoField) {
                    sqlite3_bind_blob(st, position, png.constData(), int(png.size()), SQLITE_STATIC);
                    continue;
                }
                switch (row.kind(f)) {
                case CellKind::Empty:
                    sqlite3_bind_null(st, position);
                    break;
                case CellKind::Text: {
                    const QByteArrayView text = row.bytes(f);
                    sqlite3_bind_text(st, position, text.data(), int(text.size()), SQLITE_STATIC);
                    break;
                }
                case CellKind::Bytes: {
                    const QByteArrayView bytes = row.bytes(f);
                    sqlite3_bind_blob(st, position, bytes.data(), int(bytes.size()), SQLITE_STATIC);
                    break;
                }
                case CellKind::Number:
                    if (def.type == FieldType::Number)
                        sqlite3_bind_double(st, position, row.number(f));
                    else
                        sqlite3_bind_int64(st, position, qint64(row.number(f)));
                    break;
                case CellKind::Date: {
                    char iso[10];
                    isoDate(row.date(f), iso);
                    sqlite3_bind_text(st, position, iso, int(sizeof iso), SQLITE_TRANSIENT);
                    break;
                }
                }
            }
            insert.step();
            ++summary.written;
        }
        if (progress && summary.read % kProgressStep == 0 && !progress(table.name, summary.read, job.read))
            throw ImportCancelled();
    }
    if (progress && !progress(table.name, summary.read, job.read))
        throw ImportCancelled();
}

void ImportRun::saveReport(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ImportError(QStringLiteral("Rapor yazılamadı: %1").arg(file.errorString()));
    QString text = QStringLiteral("\xFEFF") + QStringLiteral("Tablo;Dosya;Satır;Alan;Sorun;Açıklama;Yapılacak\r\n");
    for (const Issue& issue : m_issues) {
        const QStringList fields = {issue.table,
                                    issue.file,
                                    QString::number(issue.line),
                                    issue.field,
                                    issueKindInfo(issue.kind).title,
                                    issue.detail,
                                    decisionTitle(m_decisions[int(issue.kind)])};
        QStringList cells;
        for (const QString& f : fields)
            cells << csvField(f);
        text += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    if (file.write(text.toUtf8()) < 0 || !file.flush())
        throw ImportError(QStringLiteral("Rapor yazılamadı: %1").arg(file.errorString()));
}

QString ImportRun::summaryText(const QVector<TableSummary>& summary)
{
    QStringList lines;
    for (const TableSummary& s : summary) {
        QString line = QStringLiteral("%1: %2 satır okundu, %3 kaydedildi, %4 atlandı")
                           .arg(s.table)
                           .arg(s.read)
                           .arg(s.written)
                           .arg(s.skipped);
        if (s.renumbered > 0)
            line += QStringLiteral(", %1 yeni numara aldı").arg(s.renumbered);
        lines << line + QLatin1Char('.');
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace zelvar::wizard
