// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dates as the database stores them, "yyyy-MM-dd"; rows written by older
// copies may hold "dd.MM.yyyy". Invalid for anything else.
#include <QByteArrayView>
#include <QDate>
#include <QStringView>

namespace zelvar {

QDate storedDate(QStringView text);
QDate storedDate(QByteArrayView utf8);

} // namespace zelvar
