// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/StoredDate.h"

#include "data/FieldDefs.h"

#include <QString>

namespace zelvar {

namespace {

char ascii(char c)
{
    return c;
}

char ascii(QChar c)
{
    return c.unicode() < 128 ? char(c.unicode()) : '\0';
}

// ISO text is read by hand: a format-string parse of every date costs more
// than reading the rest of the row.
template <typename Text>
QDate isoDate(const Text& text)
{
    if (text.size() != 10 || ascii(text[4]) != '-' || ascii(text[7]) != '-')
        return QDate();
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p)
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            const char c = ascii(text[i]);
            if (c < '0' || c > '9')
                return QDate();
            parts[p] = parts[p] * 10 + (c - '0');
        }
    return QDate(parts[0], parts[1], parts[2]);
}

} // namespace

QDate storedDate(QStringView text)
{
    const QDate iso = isoDate(text);
    return iso.isValid() ? iso : QDate::fromString(text.toString(), kDateFormat);
}

QDate storedDate(QByteArrayView utf8)
{
    const QDate iso = isoDate(utf8);
    return iso.isValid() ? iso : QDate::fromString(QString::fromUtf8(utf8), kDateFormat);
}

} // namespace zelvar
