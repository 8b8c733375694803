// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The provinces by their traffic codes, for the province-code lookup of the
// register window.
#include <QString>
#include <optional>

namespace zelvar {

// The province name for a code from 1 to 81, or nothing for any other code.
std::optional<QString> provinceName(int code);

// Reads the text of the province-code box: digits only, leading zeros
// allowed ("06" is 6). Nothing when the text is empty or not a number.
std::optional<int> parseProvinceCode(const QString& text);

} // namespace zelvar
