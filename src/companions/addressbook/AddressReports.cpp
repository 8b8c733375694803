// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/addressbook/AddressReports.h"

#include "companions/common/CompanionReports.h"
#include "companions/common/TextParts.h"
#include "report/RowSource.h"

namespace zelvar::addressreports {

using companionreports::arial;
using companionreports::Column;
using report::Item;

std::shared_ptr<report::PagedReport> list(const QString& office, const QVector<Contact>& contacts, const QDate& printed)
{
    const QVector<Column> columns{
        {QStringLiteral("Adı Soyadı"), QStringLiteral("Adi"), 2.0, 44.0},
        {QStringLiteral("Kurum / Unvanı"), QStringLiteral("Kurum"), 47.0, 56.0},
        {QStringLiteral("Telefon"), QStringLiteral("Telefon"), 104.0, 32.0},
        {QStringLiteral("E-posta / Adres"), QStringLiteral("EPosta"), 137.0, 45.0},
    };
    report::ReportDefinition def =
        companionreports::list(listTitle(), office, QStringLiteral("Adres Listesi"),
                               QStringLiteral("%1 kişi").arg(contacts.size()), printed, columns);
    report::Band& detail = def.detail;
    detail.height = 10.6;
    detail.items << Item::frame(0, 0, 0, 0, report::BottomSide) << companionreports::columnValues(columns, 0.8)
                 << Item::value(QStringLiteral("Unvan"), arial(8)).inBox(5.6, 47.0, 54.0, 4.2, false)
                 << Item::value(QStringLiteral("Telefon2"), arial(9)).inBox(5.6, 104.0, 30.0, 4.2, false)
                 << Item::value(QStringLiteral("Adres"), arial(8)).inBox(5.6, 137.0, 43.0, 4.2, false);

    auto rows = std::make_shared<report::TableRows>(
        QStringList{"Adi", "Kurum", "Unvan", "Telefon", "Telefon2", "EPosta", "Adres"});
    for (const Contact& c : contacts)
        rows->addRow(QVariantList{c.name, c.institution, c.title, c.phone, c.phone2, c.email,
                                  joinNonEmpty({c.address1, c.address2}, QStringLiteral(", "))});
    return std::make_shared<report::PagedReport>(def, rows);
}

std::shared_ptr<report::PagedReport> labels(const QVector<Contact>& contacts)
{
    report::ReportDefinition def;
    def.title = labelsTitle();
    def.margins = QMarginsF(7.0, 12.9, 7.0, 12.9);
    // Three columns of eight labels, 65 x 33.9 mm, filled downwards.
    def.columns = 3;
    def.columnWidth = 65.3;
    def.columnGap = 0;

    report::Band& label = def.detail;
    label.height = 33.9;
    label.items << Item::label(QStringLiteral("Sayın"), arial(8)).at(3.0, 5.0)
                << Item::value(QStringLiteral("Adi"), arial(10, true)).inBox(7.4, 5.0, 58.5, 4.8, false)
                << Item::value(QStringLiteral("Unvan"), arial(9)).inBox(12.6, 5.0, 58.5, 4.4, false)
                << Item::value(QStringLiteral("Adres1"), arial(9)).inBox(17.4, 5.0, 58.5, 4.4, false)
                << Item::value(QStringLiteral("Adres2"), arial(9)).inBox(22.2, 5.0, 58.5, 4.4, false);

    auto rows = std::make_shared<report::TableRows>(QStringList{"Adi", "Unvan", "Adres1", "Adres2"});
    for (const Contact& c : contacts) {
        // An office's label carries the office's name on top.
        const QString who = c.caption();
        const QString role = c.name.isEmpty() ? c.title : joinNonEmpty({c.title, c.institution}, QStringLiteral(", "));
        rows->addRow(QVariantList{who, role, c.address1, c.address2});
    }
    return std::make_shared<report::PagedReport>(def, rows);
}

} // namespace zelvar::addressreports
