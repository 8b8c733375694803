// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/ZipEntryReader.h"

#include "wizard/engine/ImportSource.h"

#include <QFile>
#include <QFileInfo>
#include <minizip/unzip.h>

namespace zelvar::wizard {

ZipEntryReader::ZipEntryReader(const QString& path)
    : m_fileName(QFileInfo(path).fileName())
{
    m_zip = unzOpen64(QFile::encodeName(path).constData());
    if (!m_zip)
        throw ImportError(
            QStringLiteral("%1 dosyası açılamadı: dosya bozuk ya da bir hesap tablosu değil.").arg(m_fileName));
}

ZipEntryReader::~ZipEntryReader()
{
    closeEntry();
    if (m_zip)
        unzClose(m_zip);
}

void ZipEntryReader::damaged(const QString& entry) const
{
    throw ImportError(QStringLiteral("%1 dosyası bozuk: %2 bölümü okunamadı.").arg(m_fileName, entry));
}

void ZipEntryReader::closeEntry()
{
    if (m_entryOpen)
        unzCloseCurrentFile(m_zip);
    m_entryOpen = false;
}

bool ZipEntryReader::contains(const QString& entry) const
{
    return unzLocateFile(m_zip, entry.toUtf8().constData(), 1) == UNZ_OK;
}

void ZipEntryReader::open(const QString& entry)
{
    closeEntry();
    m_entry = entry;
    if (unzLocateFile(m_zip, entry.toUtf8().constData(), 1) != UNZ_OK || unzOpenCurrentFile(m_zip) != UNZ_OK)
        damaged(entry);
    m_entryOpen = true;
}

QByteArray ZipEntryReader::read(qint64 size)
{
    if (!m_entryOpen)
        return {};
    QByteArray bytes(size, Qt::Uninitialized);
    const int got = unzReadCurrentFile(m_zip, bytes.data(), unsigned(size));
    if (got < 0)
        damaged(m_entry);
    bytes.truncate(got);
    return bytes;
}

QByteArray ZipEntryReader::readAll(const QString& entry, qint64 limit)
{
    open(entry);
    QByteArray all;
    for (;;) {
        const QByteArray piece = read(1 << 16);
        if (piece.isEmpty())
            break;
        all += piece;
        if (all.size() > limit)
            damaged(entry);
    }
    closeEntry();
    return all;
}

} // namespace zelvar::wizard
