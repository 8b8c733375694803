// SPDX-License-Identifier: GPL-3.0-or-later
// zelvar-adres: the address book of the office, beside Zelvar 2001.
#include "companions/addressbook/AddressBookWindow.h"
#include "companions/common/CompanionMain.h"

using namespace zelvar;

int main(int argc, char** argv)
{
    return runCompanion(argc, argv, AddressBookWindow::info(),
                        [](Database& db, const Services& services, const CommandLine&) {
                            return std::unique_ptr<CompanionWindow>(std::make_unique<AddressBookWindow>(db, services));
                        });
}
