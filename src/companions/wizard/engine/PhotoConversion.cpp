// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/PhotoConversion.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace zelvar::wizard {

namespace {

// The largest picture decoded, in pixels; a bitmap header that claims more
// is damaged.
constexpr qint64 kMaxPixels = 8000LL * 6000LL;

QSize fitted(QSize size)
{
    if (size.width() > kStoredPhotoSide || size.height() > kStoredPhotoSide)
        size.scale(kStoredPhotoSide, kStoredPhotoSide, Qt::KeepAspectRatio);
    return size.expandedTo(QSize(1, 1));
}

} // namespace

bool isReadablePicture(QByteArrayView bytes)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    return reader.canRead() && size.isValid() && qint64(size.width()) * size.height() <= kMaxPixels;
}

QByteArray storedPhoto(QByteArrayView bytes)
{
    if (!isReadablePicture(bytes))
        return {};
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.width() > kStoredPhotoSide || size.height() > kStoredPhotoSide)
        reader.setScaledSize(fitted(size));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.width() > kStoredPhotoSide || image.height() > kStoredPhotoSide)
        image = image.scaled(fitted(image.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    return image.save(&out, "PNG") ? png : QByteArray();
}

} // namespace zelvar::wizard
