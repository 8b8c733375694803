// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/notebook/NoteBook.h"

#include "companions/common/LockWait.h"
#include "companions/common/Refused.h"
#include "data/Database.h"
#include "data/FieldDefs.h"
#include "data/StoredDate.h"
#include "data/TurkishText.h"

#include <QStringList>

namespace zelvar {

NoteBook::NoteBook(Database& db)
    : m_db(db)
{
}

QVector<NoteBook::Entry> NoteBook::list(const QString& search) const
{
    QString where;
    QVariantList params;
    for (const QString& word : search.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString pattern = QLatin1Char('%') + turkish::likeLiteral(word) + QLatin1Char('%');
        where += where.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and ");
        where += QStringLiteral("(\"Baslik\" like ? escape '\\' or \"DuzMetin\" like ? escape '\\')");
        params << pattern << pattern;
    }
    QVector<Entry> found;
    Statement st(m_db.handle(), QStringLiteral("select \"Sira\", \"Tarih\", \"Baslik\" from \"Notlar\"%1 "
                                               "order by \"Tarih\" desc, \"Sira\" desc")
                                    .arg(where));
    st.bindAll(params);
    while (st.step())
        found << Entry{st.columnInt64(0), storedDate(st.columnText(1)), st.columnText(2)};
    return found;
}

std::optional<Note> NoteBook::find(qint64 id) const
{
    Statement st(m_db.handle(), QStringLiteral("select \"Sira\", \"Tarih\", \"Baslik\", \"Metin\", \"DuzMetin\" "
                                               "from \"Notlar\" where \"Sira\" = ?"));
    st.bind(1, id);
    if (!st.step())
        return std::nullopt;
    return Note{st.columnInt64(0), storedDate(st.columnText(1)), st.columnText(2), st.columnText(3).toUtf8(),
                st.columnText(4)};
}

int NoteBook::count() const
{
    return m_db.scalar(QStringLiteral("select count(*) from \"Notlar\"")).toInt();
}

QString NoteBook::check(Note& note)
{
    if (!note.date.isValid())
        return QStringLiteral("Lütfen Tarihleri Eksiksiz Giriniz !");
    note.title = cutToWidth(*findTable(tableName())->field("Baslik"), note.title.trimmed());
    // A note without a title is named by its first line.
    if (note.title.isEmpty())
        note.title = cutToWidth(*findTable(tableName())->field("Baslik"), note.plain.trimmed().section('\n', 0, 0));
    if (note.title.isEmpty())
        return QStringLiteral("Notun başlığını ya da metnini yazınız !");
    return QString();
}

qint64 NoteBook::save(Note note)
{
    const QString problem = check(note);
    if (!problem.isEmpty())
        throw Refused(problem);
    qint64 id = note.id;
    const QVariantList values{note.date, note.title, QString::fromUtf8(note.rtf), note.plain};
    writeTransaction(m_db, [&] {
        if (note.id > 0) {
            m_db.exec(QStringLiteral("update \"Notlar\" set \"Tarih\" = ?, \"Baslik\" = ?, \"Metin\" = ?, "
                                     "\"DuzMetin\" = ? where \"Sira\" = ?"),
                      values + QVariantList{note.id});
            // Deleted meanwhile by another copy: what was typed is kept.
            if (m_db.changes() > 0)
                return;
        }
        m_db.exec(QStringLiteral("insert into \"Notlar\" (\"Tarih\", \"Baslik\", \"Metin\", \"DuzMetin\") "
                                 "values (?, ?, ?, ?)"),
                  values);
        id = m_db.lastInsertRowId();
    });
    return id;
}

void NoteBook::remove(qint64 id)
{
    writeTransaction(m_db, [&] { m_db.exec(QStringLiteral("delete from \"Notlar\" where \"Sira\" = ?"), {id}); });
}

} // namespace zelvar
