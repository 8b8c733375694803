// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor toolbar's small pictures, drawn in code.
#include <QIcon>

namespace zelvar::editoricons {

enum class Glyph {
    Close,
    Open,
    Save,
    Print,
    Cut,
    Copy,
    Paste,
    Undo,
    Delete,
    SelectAll,
    AlignLeft,
    Center,
    AlignRight,
    Bold,
    Italic,
    Underline,
    Font,
    Help,
};

QIcon icon(Glyph glyph);

} // namespace zelvar::editoricons
