// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading picture files for the photographs and the cover picture: any
// format Qt reads, scaled down to a sensible size while it is decoded, so
// that a huge file cannot take all the memory.
#include "data/Errors.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zelvar {

// A file that should hold a picture cannot be read as one: missing, empty,
// corrupt, not a picture, or too large to decode. Not an engine or date
// error, so the application error handler only beeps.
class PictureReadError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

// The longest side a stored photograph keeps, in pixels.
inline constexpr int kMaxPictureSide = 1024;

// Reads the picture file at path, turned as its camera recorded it, and
// scaled down (aspect ratio kept) so that neither side exceeds maxSide.
// Throws PictureReadError when the file cannot be read as a picture.
QImage readPictureFile(const QString& path, int maxSide = kMaxPictureSide);

// The picture as PNG bytes, the form kept in the photograph table.
QByteArray pngBytes(const QImage& image);

// The picture held in a blob, in any format Qt reads (PNG as stored by this
// program, or a bitmap from older data); a null image when there is none.
QImage pictureFromBytes(const QByteArray& bytes);

} // namespace zelvar
