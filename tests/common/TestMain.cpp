// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the areas with widgets.
#include "TestRegistry.h"

#include <QApplication>

int main(int argc, char** argv)
{
    return zelvar::testing::runArea<QApplication>(argc, argv);
}
