// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/CompanionInfo.h"

namespace zelvar {

QString CompanionInfo::lockFileName() const
{
    return QStringLiteral("zorp-%1.lock").arg(executable.section(QLatin1Char('-'), -1));
}

} // namespace zelvar
