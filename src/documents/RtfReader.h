// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RtfReader: a tolerant reader of rich-text files. It keeps paragraphs,
// alignment, font name, size, bold, italic, underline, strike-out, colour,
// tabs and every character (code-page bytes and \u escapes alike); it skips
// what the editor cannot hold (pictures, font and style tables, field codes,
// document information, unknown \* destinations) and keeps the text of
// tables, field results, headers and footnotes. Bad input (truncated,
// unbalanced, binary, deeply nested) gives whatever text could be read; the
// reader never fails and runs in time linear in the input.
#include "documents/RtfContent.h"

#include <QByteArray>
#include <functional>

namespace zelvar {

class RtfReader {
public:
    // True when the data begins (after blanks) with "{\rtf".
    static bool isRtf(const QByteArray& data);
    static RtfContent parse(const QByteArray& data);
    // As parse(), telling `progress` the share of the data read (0 to 1)
    // now and then; when it answers false, reading stops there.
    static RtfContent parse(const QByteArray& data, const std::function<bool(double)>& progress);
};

} // namespace zelvar
