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
        : std::runtime_error(message.toStdString()), m_message(message) {}
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
class DataStoreError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

} // namespace zelvar
