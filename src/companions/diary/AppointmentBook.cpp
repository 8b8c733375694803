// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/diary/AppointmentBook.h"

#include "companions/common/LockWait.h"
#include "companions/diary/AppointmentTime.h"
#include "data/Database.h"
#include "data/FieldDefs.h"
#include "data/StoredDate.h"

#include <QSet>
#include <sqlite3.h>

namespace zelvar {

namespace {

const char* const kColumns =
    "\"Tarih\", \"Saati\", \"Saati2\", \"Adi\", \"Konu\", \"Telefon\", \"Telefon2\", \"Adres1\", \"Adres2\", \"Not\"";

QString iso(const QDate& day)
{
    return day.toString(QLatin1String(kIsoDateFormat));
}

// Texts cut to the widths of their fields, as every stored text is.
void cutToFields(Appointment& a)
{
    const TableDef* table = findTable(AppointmentBook::tableName());
    const auto cut = [table](const char* field, QString& text) { text = cutToWidth(*table->field(field), text); };
    cut("Adi", a.name);
    cut("Konu", a.subject);
    cut("Telefon", a.phone);
    cut("Telefon2", a.phone2);
    cut("Adres1", a.address1);
    cut("Adres2", a.address2);
    a.note.remove(QLatin1Char('\r'));
}

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

bool isUniqueViolation(const ZelvarError& e)
{
    return !dynamic_cast<const StorageError*>(&e) && e.message().contains(QLatin1String("UNIQUE"));
}

} // namespace

QString AppointmentKey::text() const
{
    return date.toString(QLatin1String(kDateFormat)) + QLatin1Char(' ') + start;
}

bool Appointment::operator==(const Appointment& o) const
{
    return date == o.date && start == o.start && end == o.end && name == o.name && subject == o.subject &&
           phone == o.phone && phone2 == o.phone2 && address1 == o.address1 && address2 == o.address2 && note == o.note;
}

QString Appointment::caption() const
{
    return subject.isEmpty() ? name : subject;
}

AppointmentBook::AppointmentBook(Database& db)
    : m_db(db)
{
}

QString AppointmentBook::clashMessage(const AppointmentKey& key)
{
    return QStringLiteral("Bu gün ve saatte başka bir randevu var ! (%1)\n"
                          "Aynı gün ve başlangıç saatine ikinci bir randevu yazılamaz; başka bir saat seçiniz.")
        .arg(key.text());
}

QList<QDate> AppointmentBook::markedDays(int year, int month) const
{
    const QDate first(year, month, 1);
    QList<QDate> days;
    Statement st(m_db.handle(), QStringLiteral("select distinct \"Tarih\" from \"Randevu\" where \"Tarih\" between ? "
                                               "and ? order by \"Tarih\""));
    st.bindAll({iso(first), iso(first.addMonths(1).addDays(-1))});
    while (st.step()) {
        const QDate day = storedDate(st.columnText(0));
        if (day.isValid())
            days << day;
    }
    return days;
}

QVector<Appointment> AppointmentBook::select(const QString& where, const QVariantList& params) const
{
    QVector<Appointment> found;
    Statement st(m_db.handle(), QStringLiteral("select %1 from \"Randevu\" %2 order by \"Tarih\", \"Saati\"")
                                    .arg(QLatin1String(kColumns), where));
    st.bindAll(params);
    while (st.step())
        found << fromRow(st);
    return found;
}

QVector<Appointment> AppointmentBook::onDay(const QDate& day) const
{
    return select(QStringLiteral("where \"Tarih\" = ?"), {iso(day)});
}

QVector<Appointment> AppointmentBook::between(const QDate& first, const QDate& last) const
{
    return select(QStringLiteral("where \"Tarih\" between ? and ?"), {iso(first), iso(last)});
}

QVector<Appointment> AppointmentBook::all() const
{
    return select(QString(), {});
}

std::optional<Appointment> AppointmentBook::find(const AppointmentKey& key) const
{
    const QVector<Appointment> found =
        select(QStringLiteral("where \"Tarih\" = ? and \"Saati\" = ?"), {iso(key.date), key.start});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

bool AppointmentBook::exists(const AppointmentKey& key) const
{
    return m_db
        .scalar(QStringLiteral("select count(*) from \"Randevu\" where \"Tarih\" = ? and \"Saati\" = ?"),
                {iso(key.date), key.start})
        .toInt();
}

int AppointmentBook::count() const
{
    return m_db.scalar(QStringLiteral("select count(*) from \"Randevu\"")).toInt();
}

Appointment AppointmentBook::fromRow(const Statement& row)
{
    Appointment a;
    a.date = storedDate(row.columnText(0));
    a.start = row.columnText(1);
    a.end = row.columnText(2);
    a.name = row.columnText(3);
    a.subject = row.columnText(4);
    a.phone = row.columnText(5);
    a.phone2 = row.columnText(6);
    a.address1 = row.columnText(7);
    a.address2 = row.columnText(8);
    a.note = row.columnText(9);
    return a;
}

QVariantList AppointmentBook::values(const Appointment& a)
{
    return {iso(a.date),
            a.start,
            textOrNull(a.end),
            textOrNull(a.name),
            textOrNull(a.subject),
            textOrNull(a.phone),
            textOrNull(a.phone2),
            textOrNull(a.address1),
            textOrNull(a.address2),
            textOrNull(a.note)};
}

QString AppointmentBook::check(Appointment& a)
{
    if (!a.date.isValid())
        return QStringLiteral("Lütfen Tarihleri Eksiksiz Giriniz !");
    QString problem;
    const QString start = appointmenttime::normalize(a.start, &problem);
    if (start.isEmpty())
        return QStringLiteral("Başlangıç saati: ") + problem;
    a.start = start;
    if (!a.end.trimmed().isEmpty()) {
        const QString end = appointmenttime::normalize(a.end, &problem);
        if (end.isEmpty())
            return QStringLiteral("Bitiş saati: ") + problem;
        a.end = end;
    } else {
        a.end.clear();
    }
    cutToFields(a);
    return QString();
}

void AppointmentBook::save(Appointment a, const std::optional<AppointmentKey>& original)
{
    const QString problem = check(a);
    if (!problem.isEmpty())
        throw Refused(problem);
    try {
        writeTransaction(m_db, [&] {
            if ((!original || *original != a.key()) && exists(a.key()))
                throw Refused(clashMessage(a.key()));
            if (original) {
                QVariantList params = values(a);
                params << iso(original->date) << original->start;
                m_db.exec(QStringLiteral("update \"Randevu\" set \"Tarih\" = ?, \"Saati\" = ?, \"Saati2\" = ?, "
                                         "\"Adi\" = ?, \"Konu\" = ?, \"Telefon\" = ?, \"Telefon2\" = ?, "
                                         "\"Adres1\" = ?, \"Adres2\" = ?, \"Not\" = ? "
                                         "where \"Tarih\" = ? and \"Saati\" = ?"),
                          params);
                // Deleted meanwhile by another copy: what was typed is kept.
                if (m_db.changes() > 0)
                    return;
            }
            m_db.exec(QStringLiteral("insert into \"Randevu\" (%1) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                          .arg(QLatin1String(kColumns)),
                      values(a));
        });
    } catch (const EngineError& e) {
        // Another program wrote the same key between the look and the write.
        if (isUniqueViolation(e))
            throw Refused(clashMessage(a.key()));
        throw;
    }
}

void AppointmentBook::remove(const AppointmentKey& key)
{
    writeTransaction(m_db, [&] {
        m_db.exec(QStringLiteral("delete from \"Randevu\" where \"Tarih\" = ? and \"Saati\" = ?"),
                  {iso(key.date), key.start});
    });
}

AppointmentBook::Added AppointmentBook::addAll(QVector<Appointment> appointments)
{
    Added result;
    writeTransaction(m_db, [&] {
        result = Added();
        Statement look(m_db.handle(),
                       QStringLiteral("select 1 from \"Randevu\" where \"Tarih\" = ? and \"Saati\" = ?"));
        Statement insert(m_db.handle(), QStringLiteral("insert into \"Randevu\" (%1) values (?, ?, ?, ?, ?, ?, ?, "
                                                       "?, ?, ?)")
                                            .arg(QLatin1String(kColumns)));
        for (Appointment& a : appointments) {
            const QString label = a.key().text() + QLatin1Char(' ') + a.caption();
            const QString problem = check(a);
            if (!problem.isEmpty()) {
                result.skipped << label + QStringLiteral(": ") + problem.section(QLatin1Char('\n'), 0, 0);
                continue;
            }
            look.reset();
            look.bindAll({iso(a.date), a.start});
            if (look.step()) {
                result.skipped << label + QStringLiteral(": bu gün ve saatte başka bir randevu var");
                continue;
            }
            insert.reset();
            insert.bindAll(values(a));
            insert.step();
            ++result.added;
        }
    });
    return result;
}

} // namespace zelvar
