// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CommandGuard: how a companion program runs one command. A refusal shows
// its own sentence as a warning; a date or database error the system's
// messages (through the application error handler's rules); nothing escapes
// into Qt's frames. False when the command failed.
#include <functional>

namespace zelvar {

struct Services;

bool runCommand(const Services& services, const std::function<void()>& command);

} // namespace zelvar
