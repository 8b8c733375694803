// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Refused: a change a companion program does not make (a key clash, a time
// that is no time, a contact without a name), with the Turkish sentence
// that tells the user why. The window shows the sentence as it is.
#include "data/Errors.h"

namespace zelvar {

class Refused : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

} // namespace zelvar
