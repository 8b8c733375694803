// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/CodePages.h"

#include <cstring>

namespace zelvar::wizard {

namespace {

// The Turkish letters ç Ç ğ Ğ ı İ ö Ö ş Ş ü Ü in each code page. The two sets
// share no byte, so counting them tells the code pages apart.
constexpr unsigned char kLetters1254[] = {0xE7, 0xC7, 0xF0, 0xD0, 0xFD, 0xDD, 0xF6, 0xD6, 0xFE, 0xDE, 0xFC, 0xDC};
constexpr unsigned char kLetters857[] = {0x87, 0x80, 0xA7, 0xA6, 0x8D, 0x98, 0x94, 0x99, 0x9F, 0x9E, 0x81, 0x9A};

template <size_t N>
bool among(unsigned char c, const unsigned char (&set)[N])
{
    for (unsigned char s : set)
        if (s == c)
            return true;
    return false;
}

const char* decoderName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Windows1254:
        return "windows-1254";
    case Encoding::Dos857:
        return "IBM857";
    case Encoding::Utf16LE:
        return "UTF-16LE";
    case Encoding::Utf16BE:
        return "UTF-16BE";
    case Encoding::Utf8:
        break;
    }
    return "UTF-8";
}

} // namespace

QString encodingName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Windows1254:
        return QStringLiteral("Windows Türkçe (1254)");
    case Encoding::Dos857:
        return QStringLiteral("DOS Türkçe (857)");
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        return QStringLiteral("Unicode (UTF-16)");
    }
    return {};
}

std::optional<Encoding> encodingOfCodePage(int codePage)
{
    switch (codePage) {
    case 1254:
        return Encoding::Windows1254;
    case 857:
        return Encoding::Dos857;
    case 65001:
        return Encoding::Utf8;
    default:
        return std::nullopt;
    }
}

int codePageOf(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Windows1254:
        return 1254;
    case Encoding::Dos857:
        return 857;
    default:
        return 65001;
    }
}

qsizetype invalidUtf8At(QByteArrayView bytes, bool more)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        char32_t min = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            min = 0x10000;
        } else {
            return i;
        }
        char32_t value = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n)
                return more ? -1 : i; // cut at the end: valid only when more follows
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
            value = (value << 6) | (p[i + k] & 0x3F);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return i;
        i += extra + 1;
    }
    return -1;
}

std::optional<DetectedEncoding> detectEncoding(QByteArrayView start)
{
    if (start.startsWith("\xEF\xBB\xBF"))
        return DetectedEncoding{Encoding::Utf8, 3};
    if (start.startsWith("\xFF\xFE"))
        return DetectedEncoding{Encoding::Utf16LE, 2};
    if (start.startsWith("\xFE\xFF"))
        return DetectedEncoding{Encoding::Utf16BE, 2};
    int controls = 0;
    int high = 0;
    int letters1254 = 0;
    int letters857 = 0;
    for (char ch : start) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            return std::nullopt;
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n')
            ++controls;
        if (c >= 0x80) {
            ++high;
            letters1254 += among(c, kLetters1254);
            letters857 += among(c, kLetters857);
        }
    }
    if (controls * 100 > start.size())
        return std::nullopt;
    if (high == 0 || invalidUtf8At(start, true) < 0)
        return DetectedEncoding{Encoding::Utf8, 0};
    // Most bytes above 127 of a Turkish text are its letters.
    const int best = std::max(letters1254, letters857);
    if (best * 2 < high)
        return std::nullopt;
    return DetectedEncoding{letters857 > letters1254 ? Encoding::Dos857 : Encoding::Windows1254, 0};
}

SingleByteCodec::SingleByteCodec(Encoding encoding)
{
    QStringDecoder decoder(decoderName(encoding));
    for (int c = 0; c < 128; ++c) {
        const char byte = char(c + 128);
        m_upper[c] = QString(decoder.decode(QByteArrayView(&byte, 1))).toUtf8().left(kMostBytes);
    }
}

void SingleByteCodec::toUtf8(QByteArrayView bytes, QByteArray& out) const
{
    // Written through a pointer into room made once: appending byte by
    // byte costs more than the conversion.
    const qsizetype start = out.size();
    out.resize(start + bytes.size() * kMostBytes);
    char* p = out.data() + start;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            *p++ = ch;
        } else {
            const QByteArray& upper = m_upper[c - 0x80];
            memcpy(p, upper.constData(), size_t(upper.size()));
            p += upper.size();
        }
    }
    out.resize(p - out.constData());
}

Utf8Converter::Utf8Converter(Encoding encoding)
    : m_encoding(encoding),
      m_decoder(decoderName(encoding))
{
    if (encoding == Encoding::Windows1254 || encoding == Encoding::Dos857)
        m_singleByte.emplace(encoding);
}

bool Utf8Converter::convert(QByteArrayView bytes, QByteArray& out)
{
    if (m_singleByte) {
        m_singleByte->toUtf8(bytes, out);
        return true;
    }
    if (m_encoding != Encoding::Utf8) {
        out += QString(m_decoder.decode(bytes)).toUtf8();
        return true;
    }
    QByteArrayView input = bytes;
    QByteArray joined;
    if (!m_pending.isEmpty()) {
        joined = m_pending + bytes.toByteArray();
        m_pending.clear();
        input = joined;
    }
    if (invalidUtf8At(input, true) >= 0)
        return false;
    // Keep back a sequence cut by the end of the chunk.
    qsizetype keep = 0;
    for (qsizetype i = input.size() - 1; i >= 0 && i >= input.size() - 4; --i) {
        const auto c = static_cast<unsigned char>(input[i]);
        if ((c & 0xC0) == 0x80)
            continue;
        if (c >= 0xC0) {
            const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            if (input.size() - i < length)
                keep = input.size() - i;
        }
        break;
    }
    out.append(input.data(), input.size() - keep);
    m_pending = input.last(keep).toByteArray();
    return true;
}

} // namespace zelvar::wizard
