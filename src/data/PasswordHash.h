// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PasswordHash: the program password is kept as a salted, slow hash, never
// as the text itself: "pbkdf2-sha256$<iterations>$<salt>$<hash>" with the
// salt and hash in base64 (about 90 characters).
//
// The typed password is compared exactly: case matters and blanks count.
#include <QString>

namespace zelvar {

class PasswordHash {
public:
    static constexpr int kIterations = 120000;
    static constexpr int kSaltBytes = 16;
    static constexpr int kHashBytes = 32;

    // A new stored form of the password, with a fresh random salt.
    static QString make(const QString& password, int iterations = kIterations);

    // Whether the typed password matches the stored form. An empty stored
    // value (no password yet) matches only an empty entry. A stored value
    // that is not a hash is compared as plain text, in constant time.
    static bool verify(const QString& typed, const QString& stored);

    static bool isHash(const QString& stored);

private:
    static QByteArray derive(const QString& password, const QByteArray& salt, int iterations);
    static bool equalInConstantTime(const QByteArray& a, const QByteArray& b);
};

} // namespace zelvar
