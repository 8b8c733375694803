// SPDX-License-Identifier: GPL-3.0-or-later
// Picture files that lie about themselves: a header claiming an enormous
// picture, a large file of garbage, an empty file. Each is refused with a
// PictureReadError, without a crash and without taking all the memory.
#include "TestRegistry.h"
#include "register/PictureReading.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace zelvar;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// A bitmap header for a picture of width × height in 24-bit colour,
// followed by only a few bytes of its pixels.
QByteArray hugeBitmapHeader(quint32 width, quint32 height)
{
    QByteArray b(54, '\0');
    auto put32 = [&b](int at, quint32 v) { qToLittleEndian<quint32>(v, b.data() + at); };
    auto put16 = [&b](int at, quint16 v) { qToLittleEndian<quint16>(v, b.data() + at); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54 + 64);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, 24);
    return b + QByteArray(64, '\x7f');
}

} // namespace

class PictureInputTest : public QObject {
    Q_OBJECT
private slots:
    void lyingAndLargeFilesAreRefused()
    {
        QTemporaryDir dir;
        const QStringList bad{
            writeFile(dir, "dev.bmp", hugeBitmapHeader(60000, 60000)),
            writeFile(dir, "bos.png", {}),
            writeFile(dir, "cop.jpg", QByteArray(qsizetype{40} * 1024 * 1024, '\x13')),
            writeFile(dir, "kesik.jpg", QByteArray("\xff\xd8\xff\xe0", 4) + QByteArray(100, '\0')),
        };
        for (const QString& file : bad)
            QVERIFY_THROWS_EXCEPTION(PictureReadError, readPictureFile(file));
        // A sound small picture still reads after them.
        QImage small(40, 30, QImage::Format_RGB32);
        small.fill(Qt::darkGreen);
        QVERIFY(small.save(dir.filePath("iyi.png")));
        QCOMPARE(readPictureFile(dir.filePath("iyi.png")).size(), QSize(40, 30));
    }
};

ZELVAR_TEST(PictureInputTest)
#include "tst_picture_input.moc"
