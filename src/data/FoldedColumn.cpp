// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FoldedColumn.h"

#include "data/TurkishText.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zelvar {

namespace {

// Folded code points of the Latin letters, where Turkish names live; the
// rest is asked of turkish::foldChar.
struct LatinFolds {
    char32_t folded[0x250];
    LatinFolds()
    {
        for (char32_t c = 0; c < 0x250; ++c)
            folded[c] = turkish::foldChar(c);
    }
};

char32_t foldCodePoint(char32_t c)
{
    static const LatinFolds latin;
    if (c < 0x250)
        return latin.folded[c];
    // Beyond the basic plane the text is left as it is, as turkish::fold does
    // with surrogate pairs.
    return c > 0xFFFF ? c : turkish::foldChar(c);
}

char* putUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        *out++ = char(c);
    } else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    } else {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

// Writes the folded form of UTF-8 text at out, which has room for twice the
// bytes (folding at most doubles a character: "I" becomes "ı"), and returns
// the end of what it wrote. Bytes that are not well-formed UTF-8 are copied
// as they are; zero bytes are left out.
char* writeFolded(char* out, const unsigned char* s, const unsigned char* end)
{
    while (s < end) {
        const unsigned char c = *s;
        if (c < 0x80) {
            // ASCII: only the capitals change, and "I" becomes the dotless "ı".
            if (unsigned(c - 'A') < 26u) {
                if (c == 'I') {
                    *out++ = char(0xC4);
                    *out++ = char(0xB1);
                } else {
                    *out++ = char(c + 32);
                }
            } else if (c != 0) {
                *out++ = char(c);
            }
            ++s;
            continue;
        }
        const int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        char32_t cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool wellFormed = extra > 0 && end - s > extra;
        for (int i = 1; wellFormed && i <= extra; ++i) {
            if ((s[i] & 0xC0) != 0x80)
                wellFormed = false;
            else
                cp = (cp << 6) | (s[i] & 0x3F);
        }
        if (!wellFormed) {
            *out++ = char(c);
            ++s;
            continue;
        }
        out = putUtf8(out, foldCodePoint(cp));
        s += extra + 1;
    }
    return out;
}

} // namespace

QByteArray FoldedColumn::fold(const QString& text)
{
    return turkish::fold(text).toUtf8();
}

void FoldedColumn::clear()
{
    // Swapping with empty vectors gives the memory back, which clear() would not.
    std::vector<char>().swap(m_text);
    std::vector<uint32_t>().swap(m_start);
    m_dead = 0;
}

void FoldedColumn::reserve(size_t rows, size_t bytes)
{
    m_start.reserve(rows);
    m_text.reserve(bytes);
}

void FoldedColumn::appendUtf8(const char* text, int bytes)
{
    const size_t used = m_text.size();
    // Folding at most doubles a character; the zero byte ends the value.
    const size_t room = 2 * size_t(std::max(bytes, 0)) + 1;
    if (used + room > UINT32_MAX)
        throw std::length_error("FoldedColumn: more text than one column can hold");
    m_start.push_back(uint32_t(used));
    if (m_text.capacity() < used + room)
        m_text.reserve(std::max(2 * m_text.capacity(), used + room));
    m_text.resize(used + room);
    char* out = m_text.data() + used;
    if (text && bytes > 0) {
        const auto* s = reinterpret_cast<const unsigned char*>(text);
        out = writeFolded(out, s, s + bytes);
    }
    *out++ = '\0';
    m_text.resize(size_t(out - m_text.data()));
}

uint32_t FoldedColumn::store(const QByteArray& folded)
{
    compactIfWasteful();
    if (m_text.size() > UINT32_MAX - size_t(folded.size()) - 1)
        throw std::length_error("FoldedColumn: more text than one column can hold");
    const auto start = uint32_t(m_text.size());
    // A folded value never holds a zero byte: it would end the value early.
    for (char c : folded)
        if (c != '\0')
            m_text.push_back(c);
    m_text.push_back('\0');
    return start;
}

void FoldedColumn::insert(int row, const QString& text)
{
    const uint32_t start = store(fold(text));
    m_start.insert(m_start.begin() + row, start);
}

void FoldedColumn::erase(int row)
{
    m_dead += std::strlen(m_text.data() + m_start[row]) + 1;
    m_start.erase(m_start.begin() + row);
}

void FoldedColumn::set(int row, const QString& text)
{
    const QByteArray folded = fold(text);
    const char* old = m_text.data() + m_start[row];
    if (std::strcmp(old, folded.constData()) == 0)
        return;
    m_dead += std::strlen(old) + 1;
    m_start[row] = store(folded);
}

QByteArray FoldedColumn::at(int row) const
{
    return QByteArray(m_text.data() + m_start[row]);
}

void FoldedColumn::compactIfWasteful()
{
    // Edited and removed values leave their old bytes behind; once they are
    // more than half of the buffer, the live values are copied together.
    if (m_dead < 4096 || m_dead * 2 < m_text.size())
        return;
    std::vector<char> text;
    text.reserve(m_text.size() - m_dead + 64);
    for (uint32_t& start : m_start) {
        const char* value = m_text.data() + start;
        start = uint32_t(text.size());
        text.insert(text.end(), value, value + std::strlen(value) + 1);
    }
    m_text.swap(text);
    m_dead = 0;
}

int FoldedColumn::findPrefix(const QByteArray& foldedKey, int from) const
{
    const int rows = size();
    if (foldedKey.isEmpty())
        return from < rows ? std::max(from, 0) : -1;
    const char* text = m_text.data();
    const char* key = foldedKey.constData();
    const size_t length = size_t(foldedKey.size());
    const char first = key[0];
    for (int row = std::max(from, 0); row < rows; ++row) {
        const char* value = text + m_start[row];
        // The first byte rules out nearly every row without a call.
        if (*value == first && std::strncmp(value, key, length) == 0)
            return row;
    }
    return -1;
}

int FoldedColumn::findEqual(const QByteArray& foldedKey, int from) const
{
    const char* text = m_text.data();
    const char* key = foldedKey.constData();
    for (int row = std::max(from, 0); row < size(); ++row) {
        const char* value = text + m_start[row];
        if (*value == *key && std::strcmp(value, key) == 0)
            return row;
    }
    return -1;
}

} // namespace zelvar
