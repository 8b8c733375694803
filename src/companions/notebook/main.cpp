// SPDX-License-Identifier: GPL-3.0-or-later
// zelvar-defter: the notebook of the office, beside Zelvar 2001.
#include "companions/common/CompanionMain.h"
#include "companions/notebook/NotebookWindow.h"

using namespace zelvar;

int main(int argc, char** argv)
{
    return runCompanion(argc, argv, NotebookWindow::info(),
                        [](Database& db, const Services& services, const CommandLine&) {
                            return std::unique_ptr<CompanionWindow>(std::make_unique<NotebookWindow>(db, services));
                        });
}
