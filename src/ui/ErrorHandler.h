#pragma once
// ErrorHandler: the application error handler. Every error that no window
// handles ends here: it sounds the exclamation, then names an incomplete date,
// a refused database entry, or a file or disk that cannot take the change
// (read-only, full, locked, damaged); any other error gets the sound alone. The
// interrupted operation is abandoned and the program goes on.
#include <QString>
#include <exception>
#include <functional>

namespace zelvar {

class Prompter;
class Sound;

class ErrorHandler {
public:
    ErrorHandler(Prompter& prompter, Sound& sound)
        : m_prompter(prompter),
          m_sound(sound)
    {
    }

    static QString dateMessage() { return QStringLiteral("Lütfen Tarihleri Eksiksiz Giriniz !"); }
    static QString engineMessage() { return QStringLiteral("Bilgiyi Eksik veya Tekrar Girdiniz !"); }

    // Reports one error. Never throws.
    void handle(std::exception_ptr error) noexcept;

    // Runs an operation; an error escaping it is reported here and the
    // result is `failed`.
    bool guard(const std::function<bool()>& operation, bool failed = false) noexcept;

private:
    Prompter& m_prompter;
    Sound& m_sound;
};

} // namespace zelvar
