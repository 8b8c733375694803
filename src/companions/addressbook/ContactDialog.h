// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ContactDialog: a new contact, or one changed: name, institution, title,
// two telephones, e-mail, two address lines, note. "Kaydet" checks and
// writes through the contact book; a refusal keeps the dialog open.
#include "companions/addressbook/Contact.h"
#include "companions/common/FormDialog.h"

namespace zelvar {

class ContactBook;

class ContactDialog : public FormDialog {
    Q_OBJECT
public:
    ContactDialog(ContactBook& book, const Services& services, const Contact& contact, QWidget* parent = nullptr);

    static QString newCaption() { return QStringLiteral("Yeni Kişi"); }
    static QString editCaption() { return QStringLiteral("Kişiyi Düzelt"); }

    Contact typed() const;
    bool save() override;
    // The id of what was written, once save() succeeded.
    qint64 savedId() const { return m_savedId; }

private:
    ContactBook& m_book;
    qint64 m_id;
    qint64 m_savedId = 0;
};

} // namespace zelvar
