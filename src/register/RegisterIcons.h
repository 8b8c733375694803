// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small pictures of the register window's toolbar and glyph buttons,
// drawn here rather than loaded.
#include <QIcon>
#include <QImage>

namespace zelvar::registericons {

enum class Glyph {
    Close,
    NewRecord,
    AddRecord,
    Save,
    Delete,
    Cancel,
    Query,
    Wipe,
    Help,
    Find,
    PhotoLoad,
    PhotoDelete,
    PhotoShow,
    PhotoHide,
    Undo,
    PageBack,
    PageForward,
    MoveOutAdd,
    Today,
};

QIcon icon(Glyph glyph);

// A certificate: a page with a coloured band and a short tag on it.
QIcon certificate(const QColor& band, const QString& tag);

} // namespace zelvar::registericons
