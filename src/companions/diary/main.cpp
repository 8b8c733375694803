// SPDX-License-Identifier: GPL-3.0-or-later
// zelvar-takvim: the appointment diary of the office, beside Zelvar 2001.
#include "companions/common/CompanionMain.h"
#include "companions/diary/DiaryWindow.h"

using namespace zelvar;

int main(int argc, char** argv)
{
    return runCompanion(argc, argv, DiaryWindow::info(),
                        [](Database& db, const Services& services, const CommandLine& commandLine) {
                            auto window = std::make_unique<DiaryWindow>(db, services);
                            window->openAt(commandLine);
                            return std::unique_ptr<CompanionWindow>(std::move(window));
                        });
}
