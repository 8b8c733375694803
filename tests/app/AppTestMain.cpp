// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the program's top layer: the program's own application object,
// so that its event routing is what the tests run under.
#include "TestRegistry.h"
#include "ui/ZelvarApplication.h"

int main(int argc, char** argv)
{
    return zelvar::testing::runArea<zelvar::ZelvarApplication>(argc, argv);
}
