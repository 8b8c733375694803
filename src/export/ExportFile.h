// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file written beside its target under a temporary name and put in place
// only when complete, so a failed export leaves no half-written file and an
// existing file survives a failure.
#include <QByteArray>
#include <QString>

namespace zelvar {

class ExportFile {
public:
    explicit ExportFile(const QString& target);
    ~ExportFile(); // removes the temporary file unless committed
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    // The temporary file's name in the file system's encoding, for C libraries.
    QByteArray nativePath() const;
    // Puts the finished file in place of the target. Throws ExportError.
    void commit();

private:
    QString m_target;
    QString m_temporary;
    bool m_committed = false;
};

} // namespace zelvar
