// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts made of parts that may be empty: an address of two lines, two
// telephones, a name of several words.
#include <QStringList>

namespace zelvar {

// The parts joined with the separator, each trimmed, the empty ones left out.
inline QString joinNonEmpty(const QStringList& parts, const QString& separator)
{
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    return kept.join(separator);
}

} // namespace zelvar
