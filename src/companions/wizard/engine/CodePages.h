// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The encodings an office's text files and old tables come in: UTF-8, the
// Windows Turkish code page 1254 and the DOS Turkish code page 857 (and
// UTF-16, as spreadsheet programs save "Unicode text"), with the guess of
// which one a file uses.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <optional>

namespace zelvar::wizard {

enum class Encoding { Utf8, Windows1254, Dos857, Utf16LE, Utf16BE };

QString encodingName(Encoding encoding);
// The encoding of a Paradox table's code page number (1254, 857, ...);
// nothing for code pages this program does not read as Turkish.
std::optional<Encoding> encodingOfCodePage(int codePage);
int codePageOf(Encoding encoding);

struct DetectedEncoding {
    Encoding encoding = Encoding::Utf8;
    int bomSize = 0; // bytes of a byte-order mark at the start
};

// Guesses the encoding of a text file from its first bytes: a byte-order
// mark, else UTF-8 when the bytes are valid UTF-8, else the Turkish code page
// in which the bytes above 127 are Turkish letters. Nothing when the bytes
// are not text at all (zero bytes, control characters) or fit no code page.
std::optional<DetectedEncoding> detectEncoding(QByteArrayView start);

// The first position where the bytes are not valid UTF-8; -1 when they are.
// A sequence cut at the very end counts as valid when `more` is true.
qsizetype invalidUtf8At(QByteArrayView bytes, bool more = false);

// A one-byte code page (1254, 857) turned into UTF-8 through a table of
// its 128 upper characters, made once: old tables are read field by field.
class SingleByteCodec {
public:
    explicit SingleByteCodec(Encoding encoding);
    // Appends the UTF-8 of `bytes` to `out`.
    void toUtf8(QByteArrayView bytes, QByteArray& out) const;

private:
    static constexpr int kMostBytes = 3; // UTF-8 bytes of one character of the code page
    QByteArray m_upper[128];
};

// Turns text of one encoding into UTF-8, chunk by chunk: a character cut
// between two chunks is kept for the next.
class Utf8Converter {
public:
    explicit Utf8Converter(Encoding encoding);
    // Appends the UTF-8 of `bytes` to `out`; false when a UTF-8 input holds
    // an invalid sequence.
    bool convert(QByteArrayView bytes, QByteArray& out);
    // At the end of the input: false when a character was left unfinished.
    bool finish() const { return m_pending.isEmpty(); }

private:
    Encoding m_encoding;
    std::optional<SingleByteCodec> m_singleByte;
    QStringDecoder m_decoder;
    QByteArray m_pending; // the start of a UTF-8 sequence cut by the chunk's end
};

} // namespace zelvar::wizard
