// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Error kinds of the data layer. The application error handler tells them
// apart: an engine error and a date-entry error each have their own message,
// everything else only beeps.
#include <QString>
#include <stdexcept>

namespace zelvar {

class ZelvarError : public std::runtime_error {
public:
    explicit ZelvarError(const QString& message)
        : std::runtime_error(message.toStdString()),
          m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The database engine refused something: a duplicate key, a missing table,
// a statement it cannot run.
class EngineError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

// Why the store could not take a change, when the cause is the file or the
// disk rather than the data typed: the user is told this instead of the
// general engine message, and the typed record stays on screen.
enum class StorageProblem { ReadOnly, DiskFull, Locked, Damaged, DiskError };

class StorageError : public EngineError {
public:
    StorageError(StorageProblem problem, const QString& detail)
        : EngineError(detail),
          m_problem(problem)
    {
    }
    StorageProblem problem() const { return m_problem; }
    // The short Turkish message for the user.
    QString userMessage() const { return userMessage(m_problem); }
    static QString userMessage(StorageProblem problem)
    {
        switch (problem) {
        case StorageProblem::ReadOnly:
            return QStringLiteral("Veritabanı dosyası salt okunur, bilgi kaydedilemedi !");
        case StorageProblem::DiskFull:
            return QStringLiteral("Diskte yer kalmadı, bilgi kaydedilemedi !");
        case StorageProblem::Locked:
            return QStringLiteral("Veritabanını başka bir program kullanıyor, bilgi kaydedilemedi !");
        case StorageProblem::Damaged:
            return QStringLiteral("Veritabanı dosyası bozuk, bilgi kaydedilemedi !");
        case StorageProblem::DiskError:
            return QStringLiteral("Diske yazılamadı, bilgi kaydedilemedi !");
        }
        return {};
    }

private:
    StorageProblem m_problem;
};

// A date typed incompletely or impossibly into a date field.
class DateEntryError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

// A dataset used the wrong way: saving while browsing, deleting from an
// empty dataset, text that is not a number. Not an engine error.
class DatasetError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

// The data folder or its database cannot be opened or created at start.
// damaged() tells a file that is itself broken (not a database, cut short,
// a table or field missing) from a folder, permission or lock problem: only
// the first is mended by putting a backup in its place.
class DataStoreError : public ZelvarError {
public:
    explicit DataStoreError(const QString& message, bool damaged = false)
        : ZelvarError(message),
          m_damaged(damaged)
    {
    }
    bool damaged() const { return m_damaged; }

private:
    bool m_damaged;
};

} // namespace zelvar
