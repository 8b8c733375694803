// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole files read and written by tests that check bytes on disk.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace zelvar::testing {

inline QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace zelvar::testing
