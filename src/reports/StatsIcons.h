// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The statistics window's toolbar pictures, drawn here rather than shipped
// as files: exit, update chart, values, percent, help.
#include <QIcon>

namespace zelvar::statsicons {

QIcon exit();
QIcon updateChart();
QIcon values();
QIcon percent();
QIcon help();

} // namespace zelvar::statsicons
