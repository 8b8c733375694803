// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/ParadoxFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTime>
// pxlib's header declares its functions without C linkage.
extern "C" {
#include <paradox.h>
}
#include <sys/types.h>

// pxlib's own pieces for attaching a blob file, which the library exports
// but does not declare (see attachBlobFile).
extern "C" {
pxstream_t* px_stream_new_file(pxdoc_t* pxdoc, int mode, int close, FILE* fp);
ssize_t px_mb_read(pxblob_t* p, pxstream_t* dummy, size_t len, void* buffer);
int px_mb_seek(pxblob_t* p, pxstream_t* dummy, long offset, int whence);
long px_mb_tell(pxblob_t* p, pxstream_t* dummy);
mbhead_t* get_mb_head(pxblob_t* pxblob, pxstream_t* pxs);
}

namespace zelvar::wizard {

namespace {

// Days of a Paradox date count from 1 January of the year 1; Qt counts
// Julian days.
constexpr qint64 kParadoxDayZero = 1721425;

// The library reports trouble through this handler; the last error is kept
// for the message.
void keepError(pxdoc_t*, int type, const char* message, void* data)
{
    if (type != PX_Warning && data)
        *static_cast<QString*>(data) = QString::fromUtf8(message);
}

QString blobFileBeside(const QFileInfo& table)
{
    const QString wanted = table.completeBaseName() + QStringLiteral(".MB");
    for (const QFileInfo& f : table.dir().entryInfoList(QDir::Files))
        if (f.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            return f.filePath();
    return {};
}

bool hasBlobFields(pxhead_t* head)
{
    for (int i = 0; i < head->px_numfields; ++i) {
        const char t = head->px_fields[i].px_ftype;
        if (t == pxfMemoBLOb || t == pxfBLOb || t == pxfFmtMemoBLOb || t == pxfOLE || t == pxfGraphic)
            return true;
    }
    return false;
}

} // namespace

// One open table: the library's document and its last error.
struct ParadoxSource::Document {
    QString error;
    pxdoc_t* px = nullptr;
    ~Document()
    {
        if (px) {
            PX_close(px);
            PX_delete(px);
        }
    }
};

namespace {

quint16 le16(const QByteArray& b, int at)
{
    return quint16(quint8(b[at]) | (quint8(b[at + 1]) << 8));
}

// The header's sizes checked against the file before the library reads
// it: pxlib trusts them, and a damaged block size or block count sends it
// reading (and decrypting) far past the file or round for a long time.
QString headerProblem(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("dosya okunamadı (%1).").arg(file.errorString());
    const QByteArray head = file.read(0x78);
    const qint64 size = file.size();
    if (head.size() < 0x78)
        return QStringLiteral("dosya kesilmiş: başlığı bile tam değil.");
    const int recordSize = le16(head, 0x00);
    const int headerSize = le16(head, 0x02);
    const int fileType = quint8(head[0x04]);
    const int blockKb = quint8(head[0x05]);
    const int blocks = le16(head, 0x0C);
    const bool knownBlock =
        blockKb == 1 || blockKb == 2 || blockKb == 3 || blockKb == 4 || blockKb == 8 || blockKb == 16 || blockKb == 32;
    if ((fileType != 0 && fileType != 2) || !knownBlock || recordSize == 0 || recordSize > blockKb * 1024 ||
        headerSize < 0x78)
        return QStringLiteral("dosya bir Paradox tablosu değil ya da başlığı bozuk.");
    const qint64 blockSize = qint64(blockKb) * 1024;
    const qint64 expected = qint64(headerSize) + qint64(blocks) * blockSize;
    if (size < expected)
        return QStringLiteral("dosya kesilmiş: %1 bayt olması gerekirken %2 bayt.").arg(expected).arg(size);
    // The data blocks form a chain from the first; a damaged link that
    // points back would keep the library going round it. The chain of an
    // encrypted table is encrypted too and is left to the library.
    const bool encrypted =
        quint32(quint8(head[0x25]) | quint8(head[0x26]) | quint8(head[0x27]) | quint8(head[0x28]) | quint8(head[0x5C]) |
                quint8(head[0x5D]) | quint8(head[0x5E]) | quint8(head[0x5F])) != 0;
    if (!encrypted) {
        QSet<int> seen;
        for (int block = le16(head, 0x0E); block != 0;) {
            if (block > blocks || seen.contains(block))
                return QStringLiteral("tablonun blok zinciri bozuk.");
            seen.insert(block);
            file.seek(headerSize + (block - 1) * blockSize);
            const QByteArray link = file.read(2);
            if (link.size() < 2)
                return QStringLiteral("dosya kesilmiş.");
            block = le16(link, 0);
        }
    }
    return {};
}

// Opens a table and checks its header against the file: a file cut short
// or a header that counts more rows than its blocks hold is damaged, and
// the library is never asked to read past what is there.
std::unique_ptr<ParadoxSource::Document> openTable(const QString& path, QString& problem)
{
    problem = headerProblem(path);
    if (!problem.isEmpty())
        return nullptr;
    auto doc = std::make_unique<ParadoxSource::Document>();
    doc->px = PX_new3(keepError, nullptr, nullptr, nullptr, &doc->error);
    if (!doc->px) {
        problem = QStringLiteral("Paradox kitaplığı başlatılamadı.");
        return nullptr;
    }
    if (PX_open_file(doc->px, QFile::encodeName(path).constData()) < 0) {
        problem = QStringLiteral("dosya bir Paradox tablosu değil ya da başlığı bozuk (%1).").arg(doc->error);
        return nullptr;
    }
    pxhead_t* head = doc->px->px_head;
    if (head->px_numrecords < 0 || head->px_numrecords > head->px_theonumrecords) {
        problem = QStringLiteral("başlıktaki satır sayısı (%1) tablonun bloklarına sığmıyor; dosya bozuk.")
                      .arg(head->px_numrecords);
        return nullptr;
    }
    return doc;
}

} // namespace

// ---------------------------------------------------------------- ParadoxFolder

bool ParadoxFolder::holdsTables(const QString& folder)
{
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files))
        if (f.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

ParadoxFolder::ParadoxFolder(const QString& folder)
{
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (f.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) != 0)
            continue;
        ParadoxTable t;
        t.path = f.filePath();
        t.fileName = f.fileName();
        t.target = findTable(f.fileName());
        t.blobPath = blobFileBeside(f);
        QString problem;
        if (auto doc = openTable(t.path, problem)) {
            pxhead_t* head = doc->px->px_head;
            t.rows = head->px_numrecords;
            t.codePage = head->px_doscodepage;
            t.encrypted = head->px_encryption != 0;
            if (hasBlobFields(head) && t.blobPath.isEmpty())
                problem = QStringLiteral("%1.MB dosyası bulunamadı; not ve fotoğraf alanları okunamaz.")
                              .arg(f.completeBaseName());
        }
        t.problem = problem;
        m_tables << t;
    }
}

const ParadoxTable* ParadoxFolder::table(const QString& name) const
{
    const TableDef* wanted = findTable(name);
    for (const ParadoxTable& t : m_tables)
        if (wanted && t.target == wanted)
            return &t;
    return nullptr;
}

int ParadoxFolder::commonCodePage() const
{
    QHash<int, int> counts;
    for (const ParadoxTable& t : m_tables)
        if (t.problem.isEmpty() && t.codePage > 0)
            ++counts[t.codePage];
    int best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (best == 0 || it.value() > counts.value(best))
            best = it.key();
    return best;
}

// ---------------------------------------------------------------- ParadoxSource

ParadoxSource::ParadoxSource(const ParadoxTable& table, std::optional<Encoding> encoding)
    : m_fileName(table.fileName)
{
    if (!table.problem.isEmpty())
        fail(table.problem);
    QString problem;
    m_doc = openTable(table.path, problem);
    if (!m_doc)
        fail(problem);
    pxhead_t* head = m_doc->px->px_head;
    m_rows = head->px_numrecords;
    if (!table.blobPath.isEmpty() && hasBlobFields(head))
        attachBlobFile(table.blobPath);
    m_encoding = encoding ? *encoding : encodingOfCodePage(head->px_doscodepage).value_or(Encoding::Windows1254);
    if (m_encoding == Encoding::Windows1254 || m_encoding == Encoding::Dos857)
        m_codec.emplace(m_encoding);
    for (int i = 0; i < head->px_numfields; ++i) {
        m_headings << QString::fromLatin1(head->px_fields[i].px_fname);
        m_types << head->px_fields[i].px_ftype;
    }
}

ParadoxSource::~ParadoxSource() = default;

void ParadoxSource::fail(const QString& why, qint64 row) const
{
    if (row > 0)
        throw ImportError(QStringLiteral("%1, satır %2: %3").arg(m_fileName).arg(row).arg(why));
    throw ImportError(QStringLiteral("%1: %2").arg(m_fileName, why));
}

// Debian 12's pxlib 0.6.8 overflows a stack buffer while it lists the
// blocks of a blob file (it reads a 12-byte block header into a 9-byte
// one), so PX_set_blob_file ends the program. The blob file is attached
// here as that function does it, without the block list, which only
// writing needs; the library itself then reads (and decrypts) the blobs.
void ParadoxSource::attachBlobFile(const QString& path)
{
    FILE* fp = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!fp)
        fail(QStringLiteral("%1 dosyası açılamadı.").arg(QFileInfo(path).fileName()));
    pxdoc_t* px = m_doc->px;
    pxblob_t* blob = PX_new_blob(px);
    pxstream_t* stream = blob ? px_stream_new_file(px, pxfFileRead, px_true, fp) : nullptr;
    if (!stream) {
        std::fclose(fp);
        fail(QStringLiteral("%1 dosyası açılamadı.").arg(QFileInfo(path).fileName()));
    }
    blob->mb_stream = stream;
    blob->read = reinterpret_cast<size_t (*)(pxblob_t*, pxstream_t*, size_t, void*)>(px_mb_read);
    blob->seek = px_mb_seek;
    blob->tell = px_mb_tell;
    blob->mb_name = PX_strdup(px, QFile::encodeName(path).constData());
    blob->mb_head = get_mb_head(blob, stream);
    if (!blob->mb_head)
        fail(QStringLiteral("%1 dosyası bir Paradox blob dosyası değil ya da bozuk.").arg(QFileInfo(path).fileName()));
}

bool ParadoxSource::next(SourceRow& row)
{
    pxdoc_t* px = m_doc->px;
    while (m_next < m_rows) {
        const int record = m_next++;
        m_doc->error.clear();
        pxval_t** values = PX_retrieve_record(px, record);
        if (!values)
            fail(QStringLiteral("satır okunamadı (%1).").arg(m_doc->error), record + 1);
        row.reset(int(m_types.size()), record + 1);
        for (int f = 0; f < m_types.size(); ++f) {
            pxval_t* v = values[f];
            if (!v->isnull) {
                switch (m_types[f]) {
                case pxfAlpha:
                case pxfMemoBLOb:
                case pxfFmtMemoBLOb: {
                    const char* text = v->value.str.val;
                    const qsizetype length = text ? qstrnlen(text, size_t(v->value.str.len)) : 0;
                    m_text.resize(0); // keeps its room for the next field
                    if (m_codec)
                        m_codec->toUtf8(QByteArrayView(text, length), m_text);
                    else
                        m_text.append(text, length);
                    row.setText(f, m_text);
                    break;
                }
                case pxfBLOb:
                case pxfGraphic:
                case pxfOLE:
                case pxfBytes:
                    row.setBytes(f, QByteArrayView(v->value.str.val, v->value.str.len));
                    break;
                case pxfDate:
                    // An empty date field reads as day 0, which is no date.
                    if (v->value.lval > 0)
                        row.setDate(f, QDate::fromJulianDay(v->value.lval + kParadoxDayZero));
                    break;
                case pxfShort:
                case pxfLong:
                case pxfAutoInc:
                case pxfLogical:
                    row.setNumber(f, double(v->value.lval));
                    break;
                case pxfNumber:
                case pxfCurrency:
                    row.setNumber(f, v->value.dval);
                    break;
                case pxfTime:
                    row.setText(f, QTime::fromMSecsSinceStartOfDay(int(v->value.lval))
                                       .toString(QStringLiteral("HH:mm:ss"))
                                       .toLatin1());
                    break;
                case pxfTimestamp:
                    // Milliseconds since the start of the year 1.
                    row.setDate(f, QDate::fromJulianDay(qint64(v->value.dval / 86400000.0) + kParadoxDayZero));
                    break;
                case pxfBCD:
                    if (v->value.str.val)
                        row.setText(f, QByteArrayView(v->value.str.val, qstrnlen(v->value.str.val, 64)));
                    break;
                default:
                    break;
                }
            }
            switch (m_types[f]) {
            case pxfAlpha:
            case pxfMemoBLOb:
            case pxfFmtMemoBLOb:
            case pxfBLOb:
            case pxfGraphic:
            case pxfOLE:
            case pxfBytes:
            case pxfBCD:
                if (v->value.str.val)
                    px->free(px, v->value.str.val);
                break;
            default:
                break;
            }
            px->free(px, v);
        }
        px->free(px, values);
        if (!m_doc->error.isEmpty())
            fail(QStringLiteral("satır okunamadı (%1).").arg(m_doc->error), record + 1);
        if (!row.isBlank())
            return true;
    }
    return false;
}

} // namespace zelvar::wizard
