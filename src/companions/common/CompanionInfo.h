// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CompanionInfo: what tells one companion program from another: its file
// name, its window title, its icon and what its command line says of it.
#include "platform/CommandLine.h"
#include "ui/Artwork.h"

namespace zelvar {

struct CompanionInfo {
    QString executable; // "zelvar-takvim"
    QString title;      // "Takvim ve Randevu"
    artwork::Icon icon;
    ProgramDescription description;

    // The program's own one-copy lock in the data folder, beside the main
    // program's "zorp.lock": "zorp-takvim.lock".
    QString lockFileName() const;
};

} // namespace zelvar
