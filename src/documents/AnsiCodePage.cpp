// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/AnsiCodePage.h"

#include <QHash>
#include <QStringDecoder>
#include <memory>

namespace zelvar {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; 0 marks a byte the page leaves
// undefined, which then reads as the Latin-1 control of the same value.
const char16_t kWestern80[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

AnsiCodePage::AnsiCodePage(int number)
    : m_number(number)
{
    for (int b = 0; b < 256; ++b)
        m_chars[b] = QChar(b);
    const bool builtIn = number == 1252 || number == 1254;
    if (builtIn) {
        for (int b = 0; b < 32; ++b)
            if (kWestern80[b])
                m_chars[0x80 + b] = QChar(kWestern80[b]);
    }
    if (number == 1254) {
        // Turkish differs from Western in six letters and two gaps.
        m_chars[0x8E] = QChar(0x8E);
        m_chars[0x9E] = QChar(0x9E);
        m_chars[0xD0] = QChar(0x011E); // Ğ
        m_chars[0xDD] = QChar(0x0130); // İ
        m_chars[0xDE] = QChar(0x015E); // Ş
        m_chars[0xF0] = QChar(0x011F); // ğ
        m_chars[0xFD] = QChar(0x0131); // ı
        m_chars[0xFE] = QChar(0x015F); // ş
    }
    if (!builtIn) {
        QStringDecoder decoder(QStringLiteral("windows-%1").arg(number).toLatin1().constData());
        if (!decoder.isValid()) {
            *this = western();
            m_number = number;
            return;
        }
        for (int b = 0x80; b < 256; ++b) {
            const char byte = char(b);
            const QString c = decoder.decode(QByteArrayView(&byte, 1));
            if (c.size() == 1 && c.at(0) != QChar::ReplacementCharacter)
                m_chars[b] = c.at(0);
        }
    }
}

const AnsiCodePage& AnsiCodePage::turkish()
{
    static const AnsiCodePage page(1254);
    return page;
}

const AnsiCodePage& AnsiCodePage::western()
{
    static const AnsiCodePage page(1252);
    return page;
}

const AnsiCodePage& AnsiCodePage::forCodePage(int codePage)
{
    if (codePage == 1254)
        return turkish();
    if (codePage == 1252 || codePage < 874 || codePage > 1258)
        return western();
    static QHash<int, std::shared_ptr<AnsiCodePage>> others;
    auto it = others.find(codePage);
    if (it == others.end())
        it = others.insert(codePage, std::shared_ptr<AnsiCodePage>(new AnsiCodePage(codePage)));
    return **it;
}

const AnsiCodePage* AnsiCodePage::forCharset(int charset)
{
    switch (charset) {
    case 0:
        return &western();
    case 162:
        return &turkish();
    case 238:
        return &forCodePage(1250);
    case 204:
        return &forCodePage(1251);
    case 161:
        return &forCodePage(1253);
    case 177:
        return &forCodePage(1255);
    case 178:
        return &forCodePage(1256);
    case 186:
        return &forCodePage(1257);
    case 163:
        return &forCodePage(1258);
    case 222:
        return &forCodePage(874);
    default:
        return nullptr;
    }
}

unsigned char AnsiCodePage::encode(QChar c) const
{
    if (c.unicode() < 0x80)
        return static_cast<unsigned char>(c.unicode());
    for (int b = 0x80; b < 256; ++b)
        if (m_chars[b] == c)
            return static_cast<unsigned char>(b);
    return 0;
}

} // namespace zelvar
