// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Case folding and pattern matching the Turkish way: "I" folds to "ı" and
// "İ" to "i", so that I and İ stay different letters. QString::toLower would
// fold both to "i".
#include <QString>

namespace zelvar::turkish {

char32_t foldChar(char32_t c);
QString fold(const QString& text);
QString toUpper(const QString& text);

// True when text begins with the already folded prefix, ignoring case.
bool startsWithFolded(const QString& text, const QString& foldedPrefix);
// True when both texts are equal, ignoring case.
bool equalsIgnoringCase(const QString& a, const QString& b);

// SQL LIKE over UTF-8 text: "%" any run, "_" one character, optional escape
// character; letters compared ignoring case the Turkish way.
bool likeMatch(const char* pattern, const char* text, char32_t escape = 0);

// Typed text as a LIKE pattern that matches it literally: "%", "_" and the
// escape character "\\" itself are escaped; the statement says ESCAPE '\\'.
QString likeLiteral(const QString& text);

} // namespace zelvar::turkish
