// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CsvSource: a text file of comma, semicolon or tab separated values, as
// spreadsheet programs save them: UTF-8 (with or without a byte-order mark),
// UTF-16, or the Turkish code pages 1254 and 857; fields in double quotes may
// hold separators, quotes ("") and line breaks. The first line holds the
// headings. The file is read in pieces, never whole.
#include "wizard/engine/CodePages.h"
#include "wizard/engine/ImportSource.h"

#include <QFile>
#include <optional>

namespace zelvar::wizard {

class CsvSource : public ImportSource {
public:
    // Reads the headings. `encoding` and `separator` replace the guesses
    // made from the file's start. Throws ImportError.
    explicit CsvSource(const QString& path, std::optional<Encoding> encoding = std::nullopt,
                       std::optional<char> separator = std::nullopt);

    QString fileName() const override;
    QStringList headings() const override { return m_headings; }
    bool next(SourceRow& row) override;
    void rewind() override;

    Encoding encoding() const { return m_encoding; }
    char separator() const { return m_separator; }

    // A field longer than this is refused: no field of the register holds
    // nearly as much, and a file with one is not a list of residents.
    static constexpr qsizetype kMaxFieldBytes = 1 << 20;

private:
    void start();
    bool fill();
    // Parses one record at the read position into m_fields; false when the
    // buffer ends before the record does.
    bool parseRecord(bool atEnd);
    bool readRecord(); // false at the end of the file
    // The text of the last record's field `i`; valid until the next read.
    QByteArrayView field(int i) const;
    [[noreturn]] void fail(const QString& why, qint64 line) const;

    QString m_path;
    QFile m_file;
    Encoding m_encoding = Encoding::Utf8;
    int m_bomSize = 0;
    char m_separator = ';';
    std::optional<Utf8Converter> m_converter;
    QByteArray m_data; // UTF-8 text read and not yet parsed
    qsizetype m_pos = 0;
    bool m_eof = false;
    qint64 m_line = 1;       // the line the read position stands on
    qint64 m_recordLine = 1; // the line the last record began on
    // Where a field of the last record stands: in the text read, or (a
    // quoted field, without its quotes) in m_unquoted.
    struct Span {
        bool quoted = false;
        qsizetype offset = 0;
        qsizetype size = 0;
    };
    QVector<Span> m_fields;
    QByteArray m_unquoted;
    int m_fieldCount = 0;
    QStringList m_headings;
};

// Guesses the separator from a file's first line: the one of ";", "," and
// tab that occurs most often outside quotes.
char guessSeparator(QByteArrayView firstLine);

} // namespace zelvar::wizard
