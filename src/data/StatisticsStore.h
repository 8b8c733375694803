// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// StatisticsStore: where a statistics run reads and where its counts go.
// Reads the counted fields of every resident through one prepared,
// read-only statement, and keeps the two chart tables, GRUP1 (the ten
// headcounts) and YASLAR (the six age brackets), as datasets.
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

namespace zelvar {

class Database;
class Dataset;
class Statement;

class StatisticsStore : public QObject {
    Q_OBJECT
public:
    explicit StatisticsStore(Database& db, QObject* parent = nullptr);
    ~StatisticsStore() override;

    // The fields a run counts, in this column order: DogTar, Cinsiyeti,
    // EvDuru2, EvDurum1, Medeni, Meslek, Dini.
    static QString sourceSelect();
    // The statement over sourceSelect(), prepared once and executed afresh by
    // every run, so that a run counts the register as it stands then.
    Statement& source() { return *m_source; }

    // Writes the counts into the Sayi fields of both tables, row by row in
    // table order, in one transaction: the charts never show half of a run.
    // Engine errors throw with both tables as they were, read again.
    void store(const QList<int>& headcounts, const QList<int>& ageBrackets);
    // Closes and opens both tables, so that whatever shows them reads them again.
    void reread();

    Dataset* headcounts() const { return m_grup1; }   // tbGrup1
    Dataset* ageBrackets() const { return m_yaslar; } // tbYaslar

private:
    static void storeInto(Dataset* table, const QList<int>& values);
    Database& m_db;
    std::unique_ptr<Statement> m_source;
    Dataset* m_grup1;
    Dataset* m_yaslar;
};

} // namespace zelvar
