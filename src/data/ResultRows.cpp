// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/ResultRows.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace zelvar {

namespace {

// Each value: its engine type in one byte, then 8 bytes for a number or a
// 4-byte length and the bytes for text and blobs.
template <typename T>
void put(std::vector<char>& data, const T& value)
{
    const char* bytes = reinterpret_cast<const char*>(&value);
    data.insert(data.end(), bytes, bytes + sizeof(T));
}

template <typename T>
T take(const char*& at)
{
    T value;
    std::memcpy(&value, at, sizeof(T));
    at += sizeof(T);
    return value;
}

constexpr size_t kBlockBytes = 1 << 20;

// The bytes one value takes.
size_t encodedSize(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return 1 + 8;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        return 1 + 4 + size_t(sqlite3_column_bytes(statement, column));
    default:
        return 1;
    }
}

} // namespace

void ResultRows::clear()
{
    std::vector<std::vector<char>>().swap(m_blocks);
    std::vector<Start>().swap(m_starts);
    m_bytes = 0;
    m_columns = 0;
}

void ResultRows::append(sqlite3_stmt* statement)
{
    m_columns = sqlite3_column_count(statement);
    size_t rowBytes = 0;
    for (int c = 0; c < m_columns; ++c)
        rowBytes += encodedSize(statement, c);
    // A row stays within one block; a block is never moved once filled.
    if (m_blocks.empty() || m_blocks.back().capacity() - m_blocks.back().size() < rowBytes) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(std::max(kBlockBytes, rowBytes));
        m_bytes += qint64(m_blocks.back().capacity());
    }
    std::vector<char>& data = m_blocks.back();
    m_starts.push_back({quint32(m_blocks.size() - 1), quint32(data.size())});
    for (int c = 0; c < m_columns; ++c) {
        const int type = sqlite3_column_type(statement, c);
        data.push_back(char(type));
        switch (type) {
        case SQLITE_INTEGER:
            put(data, qint64(sqlite3_column_int64(statement, c)));
            break;
        case SQLITE_FLOAT:
            put(data, sqlite3_column_double(statement, c));
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const char* bytes = type == SQLITE_TEXT ? reinterpret_cast<const char*>(sqlite3_column_text(statement, c))
                                                    : static_cast<const char*>(sqlite3_column_blob(statement, c));
            const quint32 length = quint32(sqlite3_column_bytes(statement, c));
            put(data, length);
            if (length > 0)
                data.insert(data.end(), bytes, bytes + length);
            break;
        }
        default:
            break;
        }
    }
}

QVector<QVariant> ResultRows::row(int index) const
{
    QVector<QVariant> values(m_columns);
    const Start start = m_starts[size_t(index)];
    const char* at = m_blocks[start.block].data() + start.offset;
    for (int c = 0; c < m_columns; ++c) {
        switch (*at++) {
        case SQLITE_INTEGER:
            values[c] = QVariant::fromValue<qint64>(take<qint64>(at));
            break;
        case SQLITE_FLOAT:
            values[c] = take<double>(at);
            break;
        case SQLITE_TEXT: {
            const quint32 length = take<quint32>(at);
            values[c] = QString::fromUtf8(at, qsizetype(length));
            at += length;
            break;
        }
        case SQLITE_BLOB: {
            const quint32 length = take<quint32>(at);
            values[c] = QByteArray(at, qsizetype(length));
            at += length;
            break;
        }
        default:
            break;
        }
    }
    return values;
}

} // namespace zelvar
