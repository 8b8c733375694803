// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/addressbook/ContactBook.h"

#include "companions/common/LockWait.h"
#include "companions/common/Refused.h"
#include "data/Database.h"
#include "data/FieldDefs.h"

#include <QSet>

namespace zelvar {

namespace {

const char* const kColumns = "\"Sira\", \"Adi\", \"Kurum\", \"Unvan\", \"Telefon\", \"Telefon2\", \"EPosta\", "
                             "\"Adres1\", \"Adres2\", \"Not\"";

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// Every field of a contact, one text after the other: what tells two
// cards apart.
QString fingerprint(const Contact& c)
{
    return QStringList{c.name, c.institution, c.title, c.phone, c.phone2, c.email, c.address1, c.address2, c.note}.join(
        QChar(0x1F));
}

} // namespace

bool Contact::sameAs(const Contact& o) const
{
    return fingerprint(*this) == fingerprint(o);
}

ContactBook::ContactBook(Database& db)
    : m_db(db)
{
}

Contact ContactBook::fromRow(const Statement& row)
{
    Contact c;
    c.id = row.columnInt64(0);
    c.name = row.columnText(1);
    c.institution = row.columnText(2);
    c.title = row.columnText(3);
    c.phone = row.columnText(4);
    c.phone2 = row.columnText(5);
    c.email = row.columnText(6);
    c.address1 = row.columnText(7);
    c.address2 = row.columnText(8);
    c.note = row.columnText(9);
    return c;
}

QVariantList ContactBook::values(const Contact& c)
{
    return {textOrNull(c.name),     textOrNull(c.institution), textOrNull(c.title),
            textOrNull(c.phone),    textOrNull(c.phone2),      textOrNull(c.email),
            textOrNull(c.address1), textOrNull(c.address2),    textOrNull(c.note)};
}

QVector<Contact> ContactBook::all() const
{
    QVector<Contact> found;
    Statement st(m_db.handle(), QStringLiteral("select %1 from \"Adresler\"").arg(QLatin1String(kColumns)));
    while (st.step())
        found << fromRow(st);
    return found;
}

std::optional<Contact> ContactBook::find(qint64 id) const
{
    Statement st(m_db.handle(),
                 QStringLiteral("select %1 from \"Adresler\" where \"Sira\" = ?").arg(QLatin1String(kColumns)));
    st.bind(1, id);
    if (!st.step())
        return std::nullopt;
    return fromRow(st);
}

int ContactBook::count() const
{
    return m_db.scalar(QStringLiteral("select count(*) from \"Adresler\"")).toInt();
}

QString ContactBook::check(Contact& c)
{
    const TableDef* table = findTable(tableName());
    const auto cut = [table](const char* field, QString& text) {
        text = cutToWidth(*table->field(field), text.trimmed());
    };
    cut("Adi", c.name);
    cut("Kurum", c.institution);
    cut("Unvan", c.title);
    cut("Telefon", c.phone);
    cut("Telefon2", c.phone2);
    cut("EPosta", c.email);
    cut("Adres1", c.address1);
    cut("Adres2", c.address2);
    c.note = c.note.trimmed().remove(QLatin1Char('\r'));
    if (c.name.isEmpty() && c.institution.isEmpty())
        return QStringLiteral("Adı Soyadı ya da Kurum yazılmalıdır !");
    return QString();
}

qint64 ContactBook::save(Contact c)
{
    const QString problem = check(c);
    if (!problem.isEmpty())
        throw Refused(problem);
    qint64 id = c.id;
    writeTransaction(m_db, [&] {
        if (c.id > 0) {
            QVariantList params = values(c);
            params << c.id;
            m_db.exec(QStringLiteral("update \"Adresler\" set \"Adi\" = ?, \"Kurum\" = ?, \"Unvan\" = ?, "
                                     "\"Telefon\" = ?, \"Telefon2\" = ?, \"EPosta\" = ?, \"Adres1\" = ?, "
                                     "\"Adres2\" = ?, \"Not\" = ? where \"Sira\" = ?"),
                      params);
            // Deleted meanwhile by another copy: what was typed is kept.
            if (m_db.changes() > 0)
                return;
        }
        m_db.exec(QStringLiteral("insert into \"Adresler\" (\"Adi\", \"Kurum\", \"Unvan\", \"Telefon\", "
                                 "\"Telefon2\", \"EPosta\", \"Adres1\", \"Adres2\", \"Not\") "
                                 "values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  values(c));
        id = m_db.lastInsertRowId();
    });
    return id;
}

void ContactBook::remove(qint64 id)
{
    writeTransaction(m_db, [&] { m_db.exec(QStringLiteral("delete from \"Adresler\" where \"Sira\" = ?"), {id}); });
}

ContactBook::Added ContactBook::addAll(QVector<Contact> contacts)
{
    Added result;
    writeTransaction(m_db, [&] {
        result = Added();
        QSet<QString> held;
        for (const Contact& stored : all())
            held.insert(fingerprint(stored));
        Statement insert(m_db.handle(), QStringLiteral("insert into \"Adresler\" (\"Adi\", \"Kurum\", \"Unvan\", "
                                                       "\"Telefon\", \"Telefon2\", \"EPosta\", \"Adres1\", "
                                                       "\"Adres2\", \"Not\") values (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (Contact& c : contacts) {
            const QString problem = check(c);
            const QString label = c.caption().isEmpty() ? QStringLiteral("(adsız kart)") : c.caption();
            if (!problem.isEmpty()) {
                result.skipped << label + QStringLiteral(": adı ve kurumu yok");
                continue;
            }
            const QString print = fingerprint(c);
            if (held.contains(print)) {
                result.skipped << label + QStringLiteral(": adres defterinde zaten var");
                continue;
            }
            held.insert(print);
            insert.reset();
            insert.bindAll(values(c));
            insert.step();
            ++result.added;
        }
    });
    return result;
}

} // namespace zelvar
