// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/addressbook/ContactDialog.h"

#include "companions/addressbook/ContactBook.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace zelvar {

ContactDialog::ContactDialog(ContactBook& book, const Services& services, const Contact& contact, QWidget* parent)
    : FormDialog(ContactBook::tableName(), services, parent),
      m_book(book),
      m_id(contact.id)
{
    setWindowTitle(contact.id ? editCaption() : newCaption());
    addField(QStringLiteral("&Adı Soyadı"), QStringLiteral("Adi"))->setText(contact.name);
    addField(QStringLiteral("&Kurum"), QStringLiteral("Kurum"))->setText(contact.institution);
    addField(QStringLiteral("&Unvanı"), QStringLiteral("Unvan"))->setText(contact.title);
    addField(QStringLiteral("&Telefon"), QStringLiteral("Telefon"))->setText(contact.phone);
    addField(QStringLiteral("Telefon &2"), QStringLiteral("Telefon2"))->setText(contact.phone2);
    addField(QStringLiteral("&E-posta"), QStringLiteral("EPosta"))->setText(contact.email);
    addField(QStringLiteral("A&dres"), QStringLiteral("Adres1"))->setText(contact.address1);
    addField(QStringLiteral("Adres (2. satır)"), QStringLiteral("Adres2"))->setText(contact.address2);
    addNote(QStringLiteral("&Not"))->setPlainText(contact.note);
    addButtons();
    resize(480, sizeHint().height());
}

Contact ContactDialog::typed() const
{
    Contact c;
    c.id = m_id;
    c.name = text(QStringLiteral("Adi"));
    c.institution = text(QStringLiteral("Kurum"));
    c.title = text(QStringLiteral("Unvan"));
    c.phone = text(QStringLiteral("Telefon"));
    c.phone2 = text(QStringLiteral("Telefon2"));
    c.email = text(QStringLiteral("EPosta"));
    c.address1 = text(QStringLiteral("Adres1"));
    c.address2 = text(QStringLiteral("Adres2"));
    c.note = noteBox()->toPlainText();
    return c;
}

bool ContactDialog::save()
{
    const Contact c = typed();
    return guarded([&] { m_savedId = m_book.save(c); });
}

} // namespace zelvar
