#pragma once
// The platform services a window needs, handed over as one bundle.
#include "platform/Clock.h"
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
    Printing& printing; // print preview and printer, for reports and texts
};

} // namespace zelvar
