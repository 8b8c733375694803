// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ContactModel: the address book's list as the table view sees it: the
// contacts the search keeps, in name order.
#include <QAbstractTableModel>
#include <functional>

namespace zelvar {

class ContactList;

class ContactModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ContactModel(const ContactList& list, QObject* parent = nullptr);

    // The list changed wholesale (a search, a reload).
    void reset(const std::function<void()>& change);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ContactList& m_list;
};

} // namespace zelvar
