// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AddressReports: the address book's printed pages: the list of contacts
// (name, institution, title, telephones, e-mail) and address labels, three
// columns of eight on an A4 page, each with the name, the title and
// institution and the two address lines.
#include "companions/addressbook/Contact.h"
#include "report/PagedReport.h"

#include <QDate>
#include <QVector>
#include <memory>

namespace zelvar::addressreports {

inline QString listTitle()
{
    return QStringLiteral("Adres Defteri [Adres Listesi]");
}
inline QString labelsTitle()
{
    return QStringLiteral("Adres Defteri [Adres Etiketleri]");
}

std::shared_ptr<report::PagedReport> list(const QString& office, const QVector<Contact>& contacts,
                                          const QDate& printed);
std::shared_ptr<report::PagedReport> labels(const QVector<Contact>& contacts);

} // namespace zelvar::addressreports
