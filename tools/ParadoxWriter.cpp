// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParadoxWriter.h"

#include "data/Database.h"
#include "data/Errors.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
// pxlib's header declares its functions without C linkage.
extern "C" {
#include <paradox.h>
}

namespace zelvar {

namespace {

constexpr qint64 kParadoxDayZero = 1721425;

// The width a field has in the Paradox file: memos and blobs hold the
// first bytes in the row and ten bytes that point into the .MB file.
int paradoxWidth(const TableDef& table, const FieldDef& f)
{
    switch (f.type) {
    case FieldType::Text:
        // The password table's field holds our hash; the old file had room for the typed password.
        return table.name == QLatin1String("sifre") ? 10 : f.width;
    case FieldType::Memo:
    case FieldType::Blob:
        return f.width + 10;
    case FieldType::Date:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return 4;
    case FieldType::Number:
        return 8;
    }
    return 0;
}

char paradoxType(FieldType type)
{
    switch (type) {
    case FieldType::Text:
        return pxfAlpha;
    case FieldType::Memo:
        return pxfMemoBLOb;
    case FieldType::Blob:
        return pxfBLOb;
    case FieldType::Date:
        return pxfDate;
    case FieldType::Number:
        return pxfNumber;
    case FieldType::Integer:
        return pxfLong;
    case FieldType::AutoInc:
        return pxfAutoInc;
    }
    return pxfAlpha;
}

void ignoreMessages(pxdoc_t*, int, const char*, void*) {}

} // namespace

struct ParadoxTableWriter::Document {
    pxdoc_t* px = nullptr;
    QStringEncoder encoder;
    QVector<int> widths;
    QByteArray record;
};

QString paradoxFileName(const TableDef& table)
{
    static const QHash<QString, QString> names = {
        {"zelvarx", "zelvarx.DB"}, {"Mahalle", "Mahalle.db"}, {"sifre", "sifre.DB"}, {"Foto", "Foto.DB"},
        {"Nakil", "Nakil.db"},     {"Randevu", "Randevu.DB"}, {"GRUP1", "GRUP1.DB"}, {"YASLAR", "YASLAR.DB"}};
    return names.value(table.name, table.name + QStringLiteral(".DB"));
}

ParadoxTableWriter::ParadoxTableWriter(const QString& path, const TableDef& table, const ParadoxOptions& options)
    : m_doc(std::make_unique<Document>()),
      m_table(table)
{
    m_doc->encoder = QStringEncoder(options.codePage == 857 ? "IBM857" : "windows-1254");
    QFile::remove(path);
    m_doc->px = PX_new2(ignoreMessages, nullptr, nullptr, nullptr);
    // The library takes the field list over and frees it.
    auto* fields = static_cast<pxfield_t*>(
        m_doc->px->malloc(m_doc->px, sizeof(pxfield_t) * size_t(table.fields.size()), "field list"));
    bool blobs = false;
    for (int i = 0; i < table.fields.size(); ++i) {
        const FieldDef& f = table.fields[i];
        fields[i].px_fname = PX_strdup(m_doc->px, f.name.toLatin1().constData());
        fields[i].px_ftype = paradoxType(f.type);
        fields[i].px_flen = paradoxWidth(table, f);
        fields[i].px_fdc = 0;
        m_doc->widths << fields[i].px_flen;
        blobs = blobs || f.type == FieldType::Memo || f.type == FieldType::Blob;
    }
    if (PX_create_file(m_doc->px, fields, int(table.fields.size()), QFile::encodeName(path).constData(),
                       pxfFileTypNonIndexDB) < 0)
        throw ZelvarError(QStringLiteral("Paradox tablosu yazılamadı: %1").arg(path));
    PX_set_value(m_doc->px, "codepage", float(options.codePage));
    if (!options.password.isEmpty())
        PX_set_parameter(m_doc->px, "password", options.password.constData());
    if (blobs) {
        m_blobPath = path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".MB");
        QFile::remove(m_blobPath);
        if (PX_set_blob_file(m_doc->px, QFile::encodeName(m_blobPath).constData()) < 0)
            throw ZelvarError(QStringLiteral("Paradox blob dosyası yazılamadı: %1").arg(m_blobPath));
    }
    m_doc->record.resize(PX_get_recordsize(m_doc->px));
}

ParadoxTableWriter::~ParadoxTableWriter()
{
    close();
}

void ParadoxTableWriter::append(const QVector<QVariant>& values)
{
    pxdoc_t* px = m_doc->px;
    char* record = m_doc->record.data();
    memset(record, 0, size_t(m_doc->record.size()));
    int offset = 0;
    for (int i = 0; i < m_table.fields.size(); ++i) {
        const FieldDef& f = m_table.fields[i];
        const int width = m_doc->widths[i];
        char* at = record + offset;
        offset += width;
        const QVariant& v = values.value(i);
        if (!v.isValid() || v.isNull())
            continue;
        switch (f.type) {
        case FieldType::Text: {
            // Longer text would run past the field: pxlib does not stop it.
            QByteArray bytes = m_doc->encoder.encode(v.toString());
            bytes.truncate(width);
            if (!bytes.isEmpty())
                memcpy(at, bytes.constData(), size_t(bytes.size()));
            break;
        }
        case FieldType::Memo:
        case FieldType::Blob: {
            QByteArray bytes =
                f.type == FieldType::Memo ? QByteArray(m_doc->encoder.encode(v.toString())) : v.toByteArray();
            if (!bytes.isEmpty())
                PX_put_data_blob(px, at, width, bytes.data(), int(bytes.size()));
            break;
        }
        case FieldType::Date: {
            const QDate d = v.typeId() == QMetaType::QDate ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
            if (d.isValid())
                PX_put_data_long(px, at, 4, int(d.toJulianDay() - kParadoxDayZero));
            break;
        }
        case FieldType::Number:
            PX_put_data_double(px, at, 8, v.toDouble());
            break;
        case FieldType::Integer:
        case FieldType::AutoInc:
            PX_put_data_long(px, at, 4, v.toInt());
            break;
        }
    }
    if (PX_put_record(px, record) < 0)
        throw ZelvarError(QStringLiteral("Paradox satırı yazılamadı."));
}

void ParadoxTableWriter::close()
{
    if (!m_doc->px)
        return;
    PX_close(m_doc->px);
    PX_delete(m_doc->px);
    m_doc->px = nullptr;
    // A blob file is made of whole 4 kB blocks; the library leaves the last one short.
    if (!m_blobPath.isEmpty()) {
        QFile blob(m_blobPath);
        if (blob.size() % 4096)
            blob.resize((blob.size() / 4096 + 1) * 4096);
    }
}

void writeParadoxFolder(Database& db, const QString& folder, const ParadoxOptions& options)
{
    QDir().mkpath(folder);
    for (const TableDef& table : allTables()) {
        // An old office's folder holds the first schema's tables only; the
        // companions' later tables never were Paradox tables.
        if (table.since != 1)
            continue;
        ParadoxTableWriter writer(QDir(folder).filePath(paradoxFileName(table)), table, options);
        QStringList columns;
        for (const FieldDef& f : table.fields)
            columns << quoteIdentifier(f.name);
        Statement st(
            db.handle(),
            QStringLiteral("select %1 from %2 order by rowid").arg(columns.join(','), quoteIdentifier(table.name)));
        QVector<QVariant> values(table.fields.size());
        while (st.step()) {
            for (int i = 0; i < table.fields.size(); ++i)
                values[i] = st.column(i);
            writer.append(values);
        }
    }
}

} // namespace zelvar
