// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/addressbook/ContactList.h"

#include "data/Database.h"
#include "data/TurkishText.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <cstring>
#include <numeric>

namespace zelvar {

namespace {

QString digitsOf(const QString& text)
{
    QString digits;
    for (const QChar c : text)
        if (c.isDigit())
            digits += c;
    return digits;
}

std::string folded(const QString& text)
{
    return turkish::fold(text).toStdString();
}

} // namespace

void ContactList::load(Database& db)
{
    std::vector<Row> rows;
    std::vector<std::string> haystacks;
    Statement st(db.handle(), QStringLiteral("select \"Sira\", \"Adi\", \"Kurum\", \"Unvan\", \"Telefon\", "
                                             "\"Telefon2\", \"EPosta\" from \"Adresler\""));
    while (st.step()) {
        Row row{st.columnInt64(0), st.columnText(1), st.columnText(2), st.columnText(3), st.columnText(4)};
        const QString phone2 = st.columnText(5);
        const QString text = QStringList{row.name, row.institution,  row.title,           row.phone,
                                         phone2,   st.columnText(6), digitsOf(row.phone), digitsOf(phone2)}
                                 .join(QLatin1Char('\n'));
        haystacks.push_back(folded(text));
        rows.push_back(std::move(row));
    }

    // Turkish alphabetical order of the name (or the institution of a
    // contact without one), then the institution.
    QCollator collator{QLocale(QLocale::Turkish, QLocale::Turkey)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> nameKeys;
    std::vector<QCollatorSortKey> institutionKeys;
    nameKeys.reserve(rows.size());
    institutionKeys.reserve(rows.size());
    for (const Row& r : rows) {
        nameKeys.push_back(collator.sortKey(r.name.isEmpty() ? r.institution : r.name));
        institutionKeys.push_back(collator.sortKey(r.institution));
    }
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int byName = nameKeys[a].compare(nameKeys[b]);
        return byName != 0 ? byName < 0 : institutionKeys[a].compare(institutionKeys[b]) < 0;
    });

    m_rows.clear();
    m_text.clear();
    m_start.clear();
    m_rows.reserve(rows.size());
    m_start.reserve(rows.size() + 1);
    for (int i : order) {
        m_rows.push_back(std::move(rows[i]));
        m_start.push_back(uint32_t(m_text.size()));
        m_text += haystacks[i];
        m_text += '\0';
    }
    m_start.push_back(uint32_t(m_text.size()));
    const QString typed = m_typed;
    m_typed.clear();
    m_folded.clear();
    m_shown.resize(m_rows.size());
    std::iota(m_shown.begin(), m_shown.end(), 0);
    filter(typed);
}

void ContactList::filter(const QString& typed)
{
    const std::string words = folded(typed.simplified());
    // Words added to the last search narrow what it kept; anything else
    // looks at every contact again.
    const bool narrowing = !m_folded.empty() && words.compare(0, m_folded.size(), m_folded) == 0;
    m_typed = typed;
    m_folded = words;

    std::vector<std::string> parts;
    size_t start = 0;
    while (start < words.size()) {
        const size_t blank = words.find(' ', start);
        const size_t end = blank == std::string::npos ? words.size() : blank;
        if (end > start)
            parts.push_back(words.substr(start, end - start));
        start = end + 1;
    }
    if (parts.empty()) {
        m_shown.resize(m_rows.size());
        std::iota(m_shown.begin(), m_shown.end(), 0);
        return;
    }
    // A new search takes its first word over all the texts at once; the
    // other words, and a narrowing search, look row by row.
    const std::vector<int> from = narrowing ? std::move(m_shown) : rowsHolding(parts[0]);
    const auto firstToCheck = parts.begin() + (narrowing ? 0 : 1);
    m_shown.clear();
    for (int row : from) {
        const std::string_view hay = haystack(row);
        if (std::all_of(firstToCheck, parts.end(),
                        [&hay](const std::string& word) { return hay.find(word) != std::string_view::npos; }))
            m_shown.push_back(row);
    }
}

std::string_view ContactList::haystack(int row) const
{
    return std::string_view(m_text.data() + m_start[row], m_start[row + 1] - m_start[row] - 1);
}

std::vector<int> ContactList::rowsHolding(const std::string& word) const
{
    std::vector<int> rows;
    const char* base = m_text.data();
    size_t at = 0;
    int row = 0;
    while (at < m_text.size()) {
        const void* hit = memmem(base + at, m_text.size() - at, word.data(), word.size());
        if (!hit)
            break;
        const size_t offset = static_cast<const char*>(hit) - base;
        while (m_start[row + 1] <= offset)
            ++row;
        rows.push_back(row);
        at = m_start[row + 1]; // the next row's text
    }
    return rows;
}

int ContactList::shownRowOf(qint64 id) const
{
    for (int i = 0; i < int(m_shown.size()); ++i)
        if (m_rows[m_shown[i]].id == id)
            return i;
    return -1;
}

QVector<qint64> ContactList::shownIds() const
{
    QVector<qint64> ids;
    ids.reserve(int(m_shown.size()));
    for (int row : m_shown)
        ids << m_rows[row].id;
    return ids;
}

} // namespace zelvar
