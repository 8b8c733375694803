// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Contact: one person or office of the address book's table "Adresler":
// institutions, tradesmen, officials the office deals with.
#include <QString>

namespace zelvar {

struct Contact {
    qint64 id = 0;       // Sira; 0 for a contact not stored yet
    QString name;        // Adi
    QString institution; // Kurum
    QString title;       // Unvan
    QString phone;       // Telefon
    QString phone2;      // Telefon2
    QString email;       // EPosta
    QString address1;    // Adres1
    QString address2;    // Adres2
    QString note;        // Not

    // Every field but the row number.
    bool sameAs(const Contact& o) const;
    // What lists show first: the name, else the institution.
    QString caption() const { return name.isEmpty() ? institution : name; }
};

} // namespace zelvar
