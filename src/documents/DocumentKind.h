// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DocumentKind: which text certificate was composed last, for the whole
// program: 0 at start, 3 move-out, 5 poverty, 6 status, 0 identity-card
// change back page. The templates set it; the editor's print command reads
// it to choose the title it logs.
#include <QDate>
#include <QString>

namespace zelvar {

// The kind of the certificate composed last.
extern int DocumentKind;

namespace documentkind {

constexpr int None = 0;
constexpr int MoveOut = 3;
constexpr int Poverty = 5;
constexpr int Status = 6;
constexpr int IdCardBack = 0;

// The title a printed certificate of this kind is logged under, ending in a
// blank; empty for kinds that are not logged.
QString logTitle(int kind);
// The line appended to the issued-documents log: the title and the date
// as dd.mm.yyyy; empty for kinds that are not logged.
QString logLine(int kind, const QDate& date);

} // namespace documentkind

} // namespace zelvar
