// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// VCardFile: contacts in address card files (.vcf), to move them to and
// from a telephone or another address book. Reads versions 2.1, 3.0 and
// 4.0 (telephones export the old 2.1 with quoted-printable letters); writes
// 3.0 or 4.0. The name, institution, title, e-mail, note and two
// telephones have their own fields; the two address lines are the card's
// street and place; telephones and e-mails beyond the fields go into the
// note, so nothing of a card is lost. A file that is not a card file, is
// cut short or is too large is refused whole.
#include "companions/addressbook/Contact.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

namespace zelvar::vcard {

enum class Version { V3, V4 };

struct Read {
    QVector<Contact> contacts;
    QStringList skipped;
    QString problem; // the file was refused whole
};

QString kind(); // "vCard (.vcf)"
// The save dialog's choices: version 3.0 first, then 4.0.
QStringList saveFilters();
QStringList openFilters();
Version versionOfFilter(const QString& filter);

Read readFile(const QString& path);
Read read(const QByteArray& data);
QByteArray write(const QVector<Contact>& contacts, Version version);

} // namespace zelvar::vcard
