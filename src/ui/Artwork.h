// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Artwork: the program's own pictures, drawn when first needed: the tile of
// the document area's background, the title picture of the splash and about
// window, and the toolbar icons.
#include <QIcon>
#include <QPixmap>

namespace zelvar::artwork {

enum class Icon {
    Exit,
    Register,
    Statistics,
    Editor,
    AddressBook,
    Diary,
    Notebook,
    DataWizard,
    Clock,
    Settings,
    Password,
    HintsOn,
    HintsOff,
    Reminder,
    Calculator,
    WordPad,
    Word,
    Excel,
    Browser,
    Music,
    Help,
    About,
};

QPixmap backgroundTile(); // 200 × 201
QPixmap splashPicture();  // 371 × 262
QIcon icon(Icon which);
QIcon programIcon(); // the program's own window icon

} // namespace zelvar::artwork
