#pragma once
// The long list the report benchmarks print: four text columns on A4
// landscape, a line under every row and a page number in the footer, fed
// from rows made up in memory.
#include "report/ReportDefinition.h"
#include "report/RowSource.h"

#include <QStringList>
#include <memory>

namespace zelvar::bench::list {

constexpr double kRowHeight = 6.1;
inline const QList<double> kColumns{2.1, 42.3, 96.0, 149.8};
inline const QStringList kFields{"Adi", "Sokak", "Meslek", "Telefon"};

inline report::ReportDefinition definition(const QString& title)
{
    using namespace report;
    ReportDefinition d;
    d.title = title;
    d.detail.height = kRowHeight;
    for (int c = 0; c < kColumns.size(); ++c)
        d.detail.items << Item::value(kFields[c], {"Arial", 9}).at(0.8, kColumns[c]);
    d.detail.items << Item::frame(0, 0, 0, 0, BottomSide);
    d.pageFooter.height = 6.3;
    d.pageFooter.items << Item::pageNo(QStringLiteral("Sayfa"), {"Arial", 9}).at(1.1, 2.1);
    return d;
}

inline std::shared_ptr<report::TableRows> rows(int count)
{
    const QStringList names{"Ayşe Yılmaz", "Mehmet Kaya", "Fatma Şahin", "Ali Çelik", "Zeynep Öztürk"};
    const QStringList jobs{"Öğretmen", "Memur", "Emekli", "Öğrenci", "Serbest Meslek"};
    auto r = std::make_shared<report::TableRows>(kFields);
    for (int i = 0; i < count; ++i)
        r->addRow(QVariantList{names[i % 5] + QString::number(i), QStringLiteral("Gül Sokak %1").arg(i % 400),
                               jobs[i % 5], QStringLiteral("232 %1").arg(1000000 + i)});
    return r;
}

} // namespace zelvar::bench::list
