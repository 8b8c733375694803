// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Photographs of an old photo table (Windows bitmaps, or any picture Qt
// reads) turned into the form the register keeps them in: PNG, scaled down
// so that neither side exceeds the register's limit.
#include <QByteArray>
#include <QByteArrayView>

namespace zelvar::wizard {

// The longest side of a stored photograph, as the register window stores them.
inline constexpr int kStoredPhotoSide = 1024;

// Looks at the picture's header only: whether Qt can read it and its size
// is sensible. Cheap enough for every row of a check.
bool isReadablePicture(QByteArrayView bytes);

// The picture as the register stores it; empty when it cannot be read.
QByteArray storedPhoto(QByteArrayView bytes);

} // namespace zelvar::wizard
