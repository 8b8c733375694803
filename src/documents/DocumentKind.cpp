// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DocumentKind.h"

namespace zelvar {

int DocumentKind = 0;

namespace documentkind {

QString logTitle(int kind)
{
    switch (kind) {
    case MoveOut:
        return QStringLiteral("Nakil Belgesi ");
    case Poverty:
        return QStringLiteral("Fakirlik Belgesi ");
    case Status:
        return QStringLiteral("İlmuhaber (Belge) ");
    default:
        return QString();
    }
}

QString logLine(int kind, const QDate& date)
{
    const QString title = logTitle(kind);
    return title.isEmpty() ? QString() : title + date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace documentkind

} // namespace zelvar
