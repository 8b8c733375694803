// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The companion programs' toolbar pictures, drawn in code like the rest of
// the program's.
#include <QIcon>

namespace zelvar::companionicons {

enum class Glyph { New, Edit, Delete, Print, Labels, Export, Import, Today, Save };

QIcon icon(Glyph glyph);

} // namespace zelvar::companionicons
