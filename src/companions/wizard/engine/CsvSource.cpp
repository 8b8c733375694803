// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/CsvSource.h"

#include <QFileInfo>

namespace zelvar::wizard {

namespace {

constexpr qint64 kChunk = 1 << 20;
constexpr qint64 kDetectBytes = 64 * 1024;

} // namespace

char guessSeparator(QByteArrayView firstLine)
{
    int semicolons = 0;
    int commas = 0;
    int tabs = 0;
    bool quoted = false;
    for (char c : firstLine) {
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\n')
            break;
        else if (c == ';')
            ++semicolons;
        else if (c == ',')
            ++commas;
        else if (c == '\t')
            ++tabs;
    }
    if (tabs > semicolons && tabs > commas)
        return '\t';
    return commas > semicolons ? ',' : ';';
}

CsvSource::CsvSource(const QString& path, std::optional<Encoding> encoding, std::optional<char> separator)
    : m_path(path),
      m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        throw ImportError(QStringLiteral("%1 dosyası açılamadı: %2").arg(fileName(), m_file.errorString()));
    const QByteArray head = m_file.read(kDetectBytes);
    const auto detected = detectEncoding(head);
    if (encoding) {
        m_encoding = *encoding;
        m_bomSize = detected ? detected->bomSize : 0;
    } else if (detected) {
        m_encoding = detected->encoding;
        m_bomSize = detected->bomSize;
    } else {
        throw ImportError(QStringLiteral("%1 dosyasının karakter kodlaması tanınamadı: UTF-8, Windows Türkçe (1254) "
                                         "ya da DOS Türkçe (857) bir metin dosyası değil.")
                              .arg(fileName()));
    }
    start();
    if (!fill() && m_data.isEmpty())
        throw ImportError(QStringLiteral("%1 dosyası boş.").arg(fileName()));
    m_separator = separator ? *separator : guessSeparator(m_data);
    if (!readRecord())
        throw ImportError(QStringLiteral("%1 dosyası boş.").arg(fileName()));
    for (int i = 0; i < m_fieldCount; ++i)
        m_headings << QString::fromUtf8(field(i)).trimmed();
}

QString CsvSource::fileName() const
{
    return QFileInfo(m_path).fileName();
}

void CsvSource::start()
{
    m_file.seek(m_bomSize);
    m_converter.emplace(m_encoding);
    m_data.clear();
    m_pos = 0;
    m_eof = false;
    m_line = 1;
}

void CsvSource::rewind()
{
    start();
    readRecord(); // the headings
}

void CsvSource::fail(const QString& why, qint64 line) const
{
    throw ImportError(QStringLiteral("%1, satır %2: %3").arg(fileName()).arg(line).arg(why));
}

bool CsvSource::fill()
{
    if (m_eof)
        return false;
    if (m_pos > 0) {
        m_data.remove(0, m_pos);
        m_pos = 0;
    }
    const QByteArray chunk = m_file.read(kChunk);
    if (chunk.isEmpty()) {
        m_eof = true;
        if (!m_converter->finish())
            fail(QStringLiteral("dosya yarım bir karakterle bitiyor."), m_line);
        return false;
    }
    if (!m_converter->convert(chunk, m_data))
        fail(QStringLiteral("UTF-8 olmayan bir karakter var; dosyanın kodlamasını seçiniz."), m_line);
    return true;
}

bool CsvSource::parseRecord(bool atEnd)
{
    const char* const begin = m_data.constData();
    const char* p = begin + m_pos;
    const char* const end = begin + m_data.size();
    qint64 lines = 0;
    m_fieldCount = 0;
    m_unquoted.resize(0);
    for (;;) {
        if (m_fieldCount == m_fields.size())
            m_fields.resize(m_fieldCount + 8);
        Span& span = m_fields[m_fieldCount];
        if (p < end && *p == '"') {
            // A quoted field is copied without its quotes; others are read
            // where they stand.
            span = {true, m_unquoted.size(), 0};
            ++p;
            for (;;) {
                const char* quote = static_cast<const char*>(memchr(p, '"', size_t(end - p)));
                if (!quote) {
                    if (atEnd)
                        fail(QStringLiteral("kapanmayan bir tırnak (\") var."), m_line);
                    return false;
                }
                for (const char* q = p; q < quote; ++q)
                    lines += *q == '\n';
                m_unquoted.append(p, quote - p);
                p = quote + 1;
                if (p == end && !atEnd)
                    return false;
                if (p < end && *p == '"') {
                    m_unquoted += '"';
                    ++p;
                    continue;
                }
                break;
            }
            // Text after the closing quote belongs to the field too.
            while (p < end && *p != m_separator && *p != '\n' && *p != '\r')
                m_unquoted += *p++;
            span.size = m_unquoted.size() - span.offset;
        } else {
            const char* q = p;
            while (q < end && *q != m_separator && *q != '\n' && *q != '\r')
                ++q;
            if (q == end && !atEnd)
                return false;
            span = {false, p - begin, q - p};
            p = q;
        }
        if (span.size > kMaxFieldBytes)
            fail(QStringLiteral("bir hücre çok uzun (1 MB'tan fazla)."), m_line);
        ++m_fieldCount;
        if (p < end && *p == m_separator) {
            ++p;
            continue;
        }
        // The end of the record: a line break (LF, CRLF or CR) or the file's end.
        if (p < end && *p == '\r') {
            ++p;
            if (p == end && !atEnd)
                return false;
        }
        if (p < end && *p == '\n')
            ++p;
        ++lines;
        break;
    }
    m_pos = p - begin;
    m_recordLine = m_line;
    m_line += lines;
    return true;
}

QByteArrayView CsvSource::field(int i) const
{
    const Span& f = m_fields[i];
    return QByteArrayView((f.quoted ? m_unquoted.constData() : m_data.constData()) + f.offset, f.size);
}

bool CsvSource::readRecord()
{
    for (;;) {
        if (m_pos >= m_data.size() && !fill() && m_pos >= m_data.size())
            return false;
        if (parseRecord(m_eof))
            return true;
        if (m_data.size() - m_pos > kMaxFieldBytes * 4)
            fail(QStringLiteral("bir hücre çok uzun (1 MB'tan fazla)."), m_line);
        fill();
    }
}

bool CsvSource::next(SourceRow& row)
{
    for (;;) {
        if (!readRecord())
            return false;
        row.reset(int(m_headings.size()), m_recordLine);
        bool blank = true;
        for (int i = 0; i < m_fieldCount; ++i) {
            row.pointAtText(i, field(i));
            blank = blank && isBlankText(field(i));
        }
        if (!blank)
            return true;
    }
}

} // namespace zelvar::wizard
