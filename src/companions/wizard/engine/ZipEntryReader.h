// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the parts of a zip container (an .xlsx or .ods file) through
// minizip: small parts whole, the sheet itself piece by piece.
#include <QByteArray>
#include <QString>

namespace zelvar::wizard {

class ZipEntryReader {
public:
    // Opens the container; throws ImportError naming the file when it is
    // not one.
    explicit ZipEntryReader(const QString& path);
    ~ZipEntryReader();
    ZipEntryReader(const ZipEntryReader&) = delete;
    ZipEntryReader& operator=(const ZipEntryReader&) = delete;

    bool contains(const QString& entry) const;
    // The whole part, at most `limit` bytes (more is refused as damage).
    // Throws ImportError when the part is missing or cannot be read.
    QByteArray readAll(const QString& entry, qint64 limit);
    // Opens a part for reading in pieces; the part opened before is closed.
    void open(const QString& entry);
    // The next piece of the open part; empty at its end. Throws ImportError.
    QByteArray read(qint64 size);

private:
    [[noreturn]] void damaged(const QString& entry) const;
    void closeEntry();

    QString m_fileName;
    void* m_zip = nullptr;
    bool m_entryOpen = false;
    QString m_entry;
};

} // namespace zelvar::wizard
