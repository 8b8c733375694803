// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/PasswordHash.h"

#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace zelvar {

namespace {

const QString kScheme = QStringLiteral("pbkdf2-sha256");
// A stored form asking for more work than this is not one of ours.
constexpr int kMaxIterations = 10000000;

} // namespace

QByteArray PasswordHash::derive(const QString& password, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt, iterations,
                                              kHashBytes);
}

QString PasswordHash::make(const QString& password, int iterations)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), kSaltBytes / 4);
    const QByteArray hash = derive(password, salt, iterations);
    return QStringLiteral("%1$%2$%3$%4")
        .arg(kScheme)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

bool PasswordHash::isHash(const QString& stored)
{
    return stored.startsWith(kScheme + QLatin1Char('$'));
}

bool PasswordHash::equalInConstantTime(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

bool PasswordHash::verify(const QString& typed, const QString& stored)
{
    if (stored.isEmpty())
        return typed.isEmpty();
    if (!isHash(stored))
        return equalInConstantTime(typed.toUtf8(), stored.toUtf8());
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations < 1 || iterations > kMaxIterations)
        return false;
    const auto salt = QByteArray::fromBase64Encoding(parts[2].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const auto hash = QByteArray::fromBase64Encoding(parts[3].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !hash || salt.decoded.isEmpty() || hash.decoded.size() != kHashBytes)
        return false;
    return equalInConstantTime(derive(typed, salt.decoded, iterations), hash.decoded);
}

} // namespace zelvar
