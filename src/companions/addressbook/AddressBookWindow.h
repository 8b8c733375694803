// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AddressBookWindow: "Adres Defteri". The office's contacts sorted by name,
// searched as the words are typed; the chosen contact's every field; new,
// change, delete; the list and address labels printed; contacts to and
// from vCard files. The rules live in ContactBook and ContactList.
#include "companions/addressbook/ContactBook.h"
#include "companions/addressbook/ContactList.h"
#include "companions/common/CompanionWindow.h"

#include <functional>

class QLabel;
class QLineEdit;
class QTableView;

namespace zelvar {

class ContactDialog;
class DetailsPanel;
class ContactModel;

class AddressBookWindow : public CompanionWindow {
    Q_OBJECT
public:
    AddressBookWindow(Database& db, const Services& services, QWidget* parent = nullptr);
    ~AddressBookWindow() override;

    static CompanionInfo info();

    // --- the commands
    void search(const QString& typed);
    void newContact();
    void editContact();
    void deleteContact();
    void printList();
    void printLabels();
    void exportCards();
    void importCards();

    // --- what tests reach
    QLineEdit* searchBox() const { return m_search; }
    QTableView* table() const { return m_table; }
    const ContactList& contacts() const { return m_list; }
    std::optional<Contact> selected() const;
    bool selectContact(qint64 id);
    QString detailsText() const;
    void setDialogRunner(std::function<bool(ContactDialog&)> runner) { m_runDialog = std::move(runner); }

protected:
    void reload() override;

private:
    void buildCommands();
    void showDetails();
    void refill(qint64 keepId);
    bool runDialog(const Contact& contact);
    // The contacts the list shows, every field of them, in list order.
    QVector<Contact> shownContacts() const;

    ContactBook m_book;
    ContactList m_list;
    ContactModel* m_model;
    QLineEdit* m_search;
    QTableView* m_table;
    DetailsPanel* m_details;
    std::function<bool(ContactDialog&)> m_runDialog;
};

} // namespace zelvar
