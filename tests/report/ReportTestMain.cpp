// SPDX-License-Identifier: GPL-3.0-or-later
// The report engine's own main: a GUI application without widgets.
#include "TestRegistry.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    return zelvar::testing::runArea<QGuiApplication>(argc, argv);
}
