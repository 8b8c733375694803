// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/CoverPicture.h"

#include "register/PictureReading.h"

#include "platform/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace zelvar {

namespace {

// The cover panel is small; a cover picture needs no more than this.
constexpr int kMaxCoverSide = 1024;

} // namespace

CoverPicture::CoverPicture(const Clock& clock, const QString& programFolder)
    : m_clock(clock),
      m_folder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder)
{
}

QImage CoverPicture::builtInPicture()
{
    return QImage(QStringLiteral(":/regops/cover.png"));
}

int CoverPicture::draw() const
{
    if (m_random)
        return m_random();
    QRandomGenerator generator(quint32(m_clock.now().toMSecsSinceEpoch()));
    return int(generator.bounded(kPictureCount));
}

bool CoverPicture::pageChanged()
{
    const int n = draw();
    const QString name = QStringLiteral("%1.jpg").arg(n);
    QString file = QDir(m_folder).filePath(name);
    // Installed in /usr/bin, the program keeps its pictures in its data folder.
    if (!QFileInfo(file).isFile())
        file = InstallLayout(m_folder).findData(name);
    if (file.isEmpty())
        return false;
    m_picture = readPictureFile(file, kMaxCoverSide);
    return true;
}

} // namespace zelvar
