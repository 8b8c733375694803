// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services a window needs, handed over as one bundle. Windows
// keep their own copy: it holds only references to services that live as
// long as the program.
#include "platform/Clock.h"
#include "platform/ErrorReporter.h"
#include "platform/Help.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "platform/Sound.h"

namespace zelvar {

class Printing; // platform/Printing.h

struct Services {
    Prompter& prompter;
    Sound& sound;
    Launcher& launcher;
    Help& help;
    Clock& clock;
    Printing& printing;    // print preview and printer, for reports and texts
    ErrorReporter& errors; // the application error handler
};

} // namespace zelvar
