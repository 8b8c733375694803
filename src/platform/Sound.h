// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sound: the default and exclamation beeps and the synchronous bell.
#include <QString>

namespace zelvar {

class Sound {
public:
    virtual ~Sound() = default;
    virtual void beep() = 0;
    virtual void exclamation() = 0;
    // Plays a sound file `times` times, each play to its end before the next;
    // returns when done. A missing file or device gives a beep instead.
    virtual void playSync(const QString& file, int times) = 0;
};

} // namespace zelvar
