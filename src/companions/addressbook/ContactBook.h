// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ContactBook: the address book's rules on its table "Adresler". A contact
// needs a name or an institution; texts are cut to their fields' widths;
// each change, and each import, is one transaction that waits out another
// program's moment of writing. An import leaves out, and lists, the cards
// without a name and those the book holds already.
#include "companions/addressbook/Contact.h"

#include <QStringList>
#include <QVector>
#include <optional>

namespace zelvar {

class Database;
class Statement;

class ContactBook {
public:
    explicit ContactBook(Database& db);

    static QString tableName() { return QStringLiteral("Adresler"); }

    QVector<Contact> all() const;
    std::optional<Contact> find(qint64 id) const;
    int count() const;

    // Puts the typed contact in its stored form and says what keeps it
    // from being written; empty when nothing does.
    static QString check(Contact& contact);
    // Writes a new contact (id 0) or changes the stored one; gives its id.
    // Throws Refused when the check fails.
    qint64 save(Contact contact);
    void remove(qint64 id);

    struct Added {
        int added = 0;
        QStringList skipped; // "Ad: why"
    };
    Added addAll(QVector<Contact> contacts);

private:
    static Contact fromRow(const Statement& row);
    static QVariantList values(const Contact& c);

    Database& m_db;
};

} // namespace zelvar
