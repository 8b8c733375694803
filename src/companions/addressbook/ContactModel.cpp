// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/addressbook/ContactModel.h"

#include "companions/addressbook/ContactList.h"

namespace zelvar {

namespace {

const char* const kHeadings[] = {"Adı Soyadı", "Kurum", "Unvanı", "Telefon"};

} // namespace

ContactModel::ContactModel(const ContactList& list, QObject* parent)
    : QAbstractTableModel(parent),
      m_list(list)
{
}

void ContactModel::reset(const std::function<void()>& change)
{
    beginResetModel();
    change();
    endResetModel();
}

int ContactModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.shownCount();
}

int ContactModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant ContactModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_list.shownCount())
        return {};
    const ContactList::Row& row = m_list.shown(index.row());
    switch (index.column()) {
    case 0:
        return row.name;
    case 1:
        return row.institution;
    case 2:
        return row.title;
    case 3:
        return row.phone;
    }
    return {};
}

QVariant ContactModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section > 3)
        return {};
    return QString::fromUtf8(kHeadings[section]);
}

} // namespace zelvar
