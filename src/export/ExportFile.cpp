// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/ExportFile.h"

#include "export/Exporters.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

namespace zelvar {

ExportFile::ExportFile(const QString& target)
    : m_target(target)
{
    // Reserve a unique name in the target's folder; the writers then create
    // the file afresh under that name.
    QTemporaryFile reserve(target + QStringLiteral(".XXXXXX"));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        throw ExportError(QStringLiteral("Dosya yazılamadı: %1\n%2").arg(target, reserve.errorString()));
    m_temporary = reserve.fileName();
    reserve.close();
    QFile::remove(m_temporary);
}

ExportFile::~ExportFile()
{
    if (!m_committed)
        QFile::remove(m_temporary);
}

QByteArray ExportFile::nativePath() const
{
    return QFile::encodeName(m_temporary);
}

void ExportFile::commit()
{
    if (!QFileInfo::exists(m_temporary))
        throw ExportError(QStringLiteral("Dosya yazılamadı: %1").arg(m_target));
    // rename() replaces an existing target in one step.
    if (std::rename(nativePath().constData(), QFile::encodeName(m_target).constData()) != 0)
        throw ExportError(QStringLiteral("Dosya yazılamadı: %1").arg(m_target));
    m_committed = true;
}

} // namespace zelvar
