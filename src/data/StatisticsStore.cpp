// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/StatisticsStore.h"

#include "data/Database.h"
#include "data/Dataset.h"

#include <algorithm>

namespace zelvar {

StatisticsStore::StatisticsStore(Database& db, QObject* parent)
    : QObject(parent),
      m_db(db),
      m_source(std::make_unique<Statement>(db.handle(), sourceSelect())),
      m_grup1(new Dataset(&db, QStringLiteral("tbGrup1"), this)),
      m_yaslar(new Dataset(&db, QStringLiteral("tbYaslar"), this))
{
    m_grup1->setTableName(QStringLiteral("GRUP1"));
    m_grup1->open();
    m_yaslar->setTableName(QStringLiteral("YASLAR"));
    m_yaslar->open();
}

StatisticsStore::~StatisticsStore() = default;

QString StatisticsStore::sourceSelect()
{
    return QStringLiteral("select DogTar, Cinsiyeti, EvDuru2, EvDurum1, Medeni, Meslek, Dini from zelvarx");
}

void StatisticsStore::store(const QList<int>& headcounts, const QList<int>& ageBrackets)
{
    try {
        Database::Transaction transaction(m_db);
        storeInto(m_grup1, headcounts);
        storeInto(m_yaslar, ageBrackets);
        transaction.commit();
    } catch (...) {
        // Rolled back: the datasets drop the refused row and the values they
        // hold that were never kept.
        reread();
        throw;
    }
}

void StatisticsStore::storeInto(Dataset* table, const QList<int>& values)
{
    const int rows = std::min(int(values.size()), table->recordCount());
    for (int row = 0; row < rows; ++row) {
        table->moveTo(row);
        table->edit();
        table->setValue(QStringLiteral("Sayi"), values[row]);
        table->post();
    }
}

void StatisticsStore::reread()
{
    for (Dataset* table : {m_grup1, m_yaslar}) {
        table->close();
        table->open();
    }
}

} // namespace zelvar
