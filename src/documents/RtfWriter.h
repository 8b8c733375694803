// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RtfWriter: writes the editor's text as a rich-text file: paragraphs with
// their alignment; runs with font name, size, bold, italic, underline,
// strike-out and colour; tabs and line breaks. The file declares the Turkish
// code page; every character outside ASCII is written as a \u escape with
// its code-page byte as the fallback, so old and new readers both get it.
#include <QByteArray>

class QTextDocument;

namespace zelvar {

class RtfWriter {
public:
    static QByteArray write(const QTextDocument& document);
};

} // namespace zelvar
