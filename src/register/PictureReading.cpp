// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/PictureReading.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace zelvar {

namespace {

// The largest decoded picture accepted, in megabytes. Enough for an
// 8000 × 6000 picture in 32-bit colour, which some formats decode whole
// before they scale it; anything larger is refused instead of read.
constexpr int kAllocationLimitMb = 256;

// Raises Qt's limit on decoded pictures for one read and puts the old limit
// back afterwards.
class AllocationLimit {
public:
    explicit AllocationLimit(int mb)
        : m_old(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(mb);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_old); }

private:
    int m_old;
};

QSize fittedSize(QSize size, int maxSide)
{
    if (size.width() > maxSide || size.height() > maxSide)
        size.scale(maxSide, maxSide, Qt::KeepAspectRatio);
    return size.expandedTo(QSize(1, 1));
}

} // namespace

QImage readPictureFile(const QString& path, int maxSide)
{
    if (!QFileInfo(path).isFile())
        throw PictureReadError(QStringLiteral("Resim dosyası bulunamadı: %1").arg(path));
    const AllocationLimit limit(kAllocationLimitMb);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // Decoders that can scale while decoding (JPEG, PNG) never hold the
    // full-size picture; the others are scaled right after reading.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > maxSide || size.height() > maxSide))
        reader.setScaledSize(fittedSize(size, maxSide));
    QImage image = reader.read();
    if (image.isNull())
        throw PictureReadError(
            QStringLiteral("Resim okunamadı: %1 (%2)").arg(QFileInfo(path).fileName(), reader.errorString()));
    if (image.width() > maxSide || image.height() > maxSide)
        image = image.scaled(fittedSize(image.size(), maxSide), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw PictureReadError(QStringLiteral("Resim PNG olarak yazılamadı"));
    return bytes;
}

QImage pictureFromBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    return QImage::fromData(bytes);
}

} // namespace zelvar
