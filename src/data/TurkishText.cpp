// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TurkishText.h"

#include <QChar>
#include <QLocale>

namespace zelvar::turkish {

char32_t foldChar(char32_t c)
{
    if (c < 0x80) {
        if (c == U'I')
            return U'ı';
        if (c >= U'A' && c <= U'Z')
            return c + 32;
        return c;
    }
    if (c == U'İ')
        return U'i';
    return QChar::toLower(c);
}

QString fold(const QString& text)
{
    QString folded(text);
    QChar* c = folded.data();
    for (int i = 0; i < folded.size(); ++i)
        if (!c[i].isSurrogate())
            c[i] = QChar(static_cast<char16_t>(foldChar(c[i].unicode())));
    return folded;
}

QString toUpper(const QString& text)
{
    return QLocale(QLocale::Turkish, QLocale::Turkey).toUpper(text);
}

bool startsWithFolded(const QString& text, const QString& foldedPrefix)
{
    if (foldedPrefix.size() > text.size())
        return false;
    const QChar* t = text.constData();
    const QChar* p = foldedPrefix.constData();
    for (int i = 0; i < foldedPrefix.size(); ++i) {
        const char16_t tc = t[i].unicode();
        const char16_t pc = p[i].unicode();
        if (tc == pc)
            continue;
        if (foldChar(tc) != pc)
            return false;
    }
    return true;
}

bool equalsIgnoringCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x != y && foldChar(x) != foldChar(y))
            return false;
    }
    return true;
}

namespace {

// Decodes one UTF-8 code point and advances the pointer.
char32_t nextCodePoint(const unsigned char*& s)
{
    const unsigned char c = *s;
    if (c < 0x80) {
        ++s;
        return c;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++s;
        return 0xFFFD;
    }
    ++s;
    for (int i = 0; i < extra; ++i) {
        if ((*s & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (*s & 0x3F);
        ++s;
    }
    return cp;
}

bool matchFrom(const unsigned char* p, const unsigned char* t, char32_t escape)
{
    while (*p) {
        char32_t pc = nextCodePoint(p);
        if (pc == U'%') {
            while (*p == '%' || *p == '_') {
                if (*p == '_') {
                    if (!*t)
                        return false;
                    nextCodePoint(t);
                }
                ++p;
            }
            if (!*p)
                return true;
            while (*t) {
                if (matchFrom(p, t, escape))
                    return true;
                nextCodePoint(t);
            }
            return false;
        }
        if (!*t)
            return false;
        const char32_t tc = nextCodePoint(t);
        if (pc == U'_')
            continue;
        if (escape && pc == escape) {
            if (!*p)
                return false;
            pc = nextCodePoint(p);
        }
        if (pc != tc && foldChar(pc) != foldChar(tc))
            return false;
    }
    return *t == 0;
}

} // namespace

bool likeMatch(const char* pattern, const char* text, char32_t escape)
{
    if (!pattern || !text)
        return false;
    return matchFrom(reinterpret_cast<const unsigned char*>(pattern), reinterpret_cast<const unsigned char*>(text),
                     escape);
}

QString likeLiteral(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 4);
    for (QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

} // namespace zelvar::turkish
