// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CompanionMain: the start of every companion program. Reads the command
// line before any window exists (so --help and --version answer on a
// console), sets up the application in Turkish, takes the data folder with
// the program's own lock (a second copy hands its request to the first and
// ends), makes the program's window and runs it.
#include "companions/common/CompanionInfo.h"

#include <functional>
#include <memory>

namespace zelvar {

class CompanionWindow;
class Database;
struct Services;

using CompanionWindowMaker =
    std::function<std::unique_ptr<CompanionWindow>(Database&, const Services&, const CommandLine&)>;

// The whole run of a companion program; its exit code.
int runCompanion(int argc, char** argv, const CompanionInfo& info, const CompanionWindowMaker& makeWindow);

} // namespace zelvar
