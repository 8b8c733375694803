// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One text column of a large result held compactly for searching: every
// value folded once the Turkish way and kept as UTF-8 in one buffer, with
// one offset per row. A million names take about 20 MB this way, against
// some 80 MB as strings in variants, and a prefix search over all of them
// is a run of byte comparisons.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace zelvar {

class FoldedColumn {
public:
    // The folded UTF-8 form of a text, as the column stores it.
    static QByteArray fold(const QString& text);

    void clear();
    int size() const { return int(m_start.size()); }
    // Room for so many rows and bytes of text, to read a result without
    // moving what was read.
    void reserve(size_t rows, size_t bytes);
    // Appends a row from stored UTF-8 text (null: an empty value).
    void appendUtf8(const char* text, int bytes);
    void insert(int row, const QString& text);
    void erase(int row);
    void set(int row, const QString& text);
    // The folded value of a row, for tests.
    QByteArray at(int row) const;

    // The first row at or after `from` whose value begins with, or equals,
    // the folded key; -1 when none does.
    int findPrefix(const QByteArray& foldedKey, int from = 0) const;
    int findEqual(const QByteArray& foldedKey, int from = 0) const;

    // Bytes held, for the memory benchmarks.
    size_t bytesHeld() const { return m_text.capacity() + m_start.capacity() * sizeof(uint32_t); }

private:
    uint32_t store(const QByteArray& folded);
    void compactIfWasteful();

    std::vector<char> m_text;      // folded values, each ending with a zero byte
    std::vector<uint32_t> m_start; // row -> offset of its value in m_text
    size_t m_dead = 0;             // bytes of values no row points at any more
};

} // namespace zelvar
