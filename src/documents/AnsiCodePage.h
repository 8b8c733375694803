// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AnsiCodePage: a single-byte Windows code page as rich-text files use it
// for \'xx escapes and for the fallback bytes after \u escapes. Turkish
// (1254) and Western (1252) are built in; other pages come from Qt's
// converters when it has them, and fall back to Western otherwise.
#include <QChar>
#include <array>

namespace zelvar {

class AnsiCodePage {
public:
    static const AnsiCodePage& turkish(); // 1254
    static const AnsiCodePage& western(); // 1252
    // The page of a \ansicpg number; Western when the number is unknown.
    static const AnsiCodePage& forCodePage(int codePage);
    // The page of a font's \fcharset, or nullptr when the charset names none
    // (0 is Western, 162 Turkish, 1 the document's own page).
    static const AnsiCodePage* forCharset(int charset);

    int number() const { return m_number; }
    QChar decode(unsigned char byte) const { return m_chars[byte]; }
    // The byte of a character, or 0 when this page cannot write it.
    unsigned char encode(QChar c) const;

private:
    explicit AnsiCodePage(int number);
    int m_number;
    std::array<QChar, 256> m_chars;
};

} // namespace zelvar
