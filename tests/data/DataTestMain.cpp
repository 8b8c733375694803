// SPDX-License-Identifier: GPL-3.0-or-later
// The data layer's own main: a core application, no GUI at all.
#include "TestRegistry.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    return zelvar::testing::runArea<QCoreApplication>(argc, argv);
}
