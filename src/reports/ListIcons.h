// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the general reports page's list buttons, drawn in code.
#include <QIcon>

namespace zelvar::listicons {

QIcon nameList();
QIcon labels();
QIcon detailedList();

} // namespace zelvar::listicons
