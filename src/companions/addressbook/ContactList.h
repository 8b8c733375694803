// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ContactList: the address book's list and its search as you type. Holds
// what the list shows of every contact, sorted by name in Turkish order
// (ç after c, ı before i, ş after s), and for each a folded text of its
// name, institution, title, telephones and e-mail. A search keeps the
// contacts whose text holds every typed word, ignoring case the Turkish way
// (I/ı and İ/i stay apart); a telephone is found by its digits, however it
// is spaced. A search that only adds to the last one looks only at what
// that one kept.
#include <QString>
#include <QVector>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvar {

class Database;

class ContactList {
public:
    struct Row {
        qint64 id = 0;
        QString name;
        QString institution;
        QString title;
        QString phone;
    };

    // Reads every contact's list columns, sorted.
    void load(Database& db);

    // Keeps the contacts matching the typed words; empty text keeps all.
    void filter(const QString& typed);
    QString filterText() const { return m_typed; }

    int size() const { return int(m_rows.size()); }
    int shownCount() const { return int(m_shown.size()); }
    const Row& shown(int i) const { return m_rows[m_shown[i]]; }
    // The shown row of a contact, -1 when it is not shown.
    int shownRowOf(qint64 id) const;
    QVector<qint64> shownIds() const;

private:
    std::string_view haystack(int row) const;
    // The rows holding `word`, in order, from one pass over all the texts.
    std::vector<int> rowsHolding(const std::string& word) const;

    std::vector<Row> m_rows;
    // Every row's folded text (UTF-8), one after the other in list order,
    // each ending in a zero byte, and where each begins: one pass of memmem
    // over the whole block answers a word.
    std::string m_text;
    std::vector<uint32_t> m_start;
    std::vector<int> m_shown;
    QString m_typed;
    std::string m_folded; // the folded words of the last search
};

} // namespace zelvar
