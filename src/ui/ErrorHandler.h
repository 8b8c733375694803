// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ErrorHandler: the application error handler. Every error that no window
// handles ends here: it sounds the exclamation, then names an incomplete date,
// a refused database entry, or a file or disk that cannot take the change
// (read-only, full, locked, damaged); any other error gets the sound alone. The
// interrupted operation is abandoned and the program goes on.
#include "platform/ErrorReporter.h"

#include <QString>

namespace zelvar {

class Prompter;
class Sound;

class ErrorHandler : public ErrorReporter {
public:
    ErrorHandler(Prompter& prompter, Sound& sound)
        : m_prompter(prompter),
          m_sound(sound)
    {
    }

    static QString dateMessage() { return QStringLiteral("Lütfen Tarihleri Eksiksiz Giriniz !"); }
    static QString engineMessage() { return QStringLiteral("Bilgiyi Eksik veya Tekrar Girdiniz !"); }

    void report(std::exception_ptr error) noexcept override;

private:
    Prompter& m_prompter;
    Sound& m_sound;
};

} // namespace zelvar
