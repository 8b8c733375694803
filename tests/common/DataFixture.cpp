// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFixture.h"

#include <QDir>
#include <QTest>
#include <sqlite3.h>

namespace zelvar::testing {

DataFixture::DataFixture()
{
    m_dm = std::make_unique<TDM2>(m_dir.path());
}

void DataFixture::addResident(const QString& name, int number, const QVariantMap& fields)
{
    QStringList columns{QStringLiteral("\"Adi\""), QStringLiteral("\"KayitNo\"")};
    QStringList marks{QStringLiteral("?"), QStringLiteral("?")};
    QVariantList params{name.isEmpty() ? QVariant() : QVariant(name), double(number)};
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        columns << quoteIdentifier(it.key());
        marks << QStringLiteral("?");
        params << it.value();
    }
    m_dm->database().exec(
        QStringLiteral("insert into zelvarx (%1) values (%2)").arg(columns.join(','), marks.join(',')), params);
}

void DataFixture::addResidentMissingFromIndex(const QString& name, int number)
{
    // Each step on a connection of its own, which reads the schema afresh:
    // while the index is declared partial over no rows, an insert leaves it
    // alone; its declaration is then put back as it was.
    const QByteArray file = QDir(folder()).filePath(Database::fileName()).toUtf8();
    const auto execOnFile = [&file](const QByteArray& sql) {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(file.constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    };
    execOnFile("PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql = sql || ' WHERE 0' "
               "WHERE name = 'zelvarx_KayitNo'");
    execOnFile(QStringLiteral("insert into zelvarx (Adi, KayitNo) values ('%1', %2)").arg(name).arg(number).toUtf8());
    execOnFile("PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql = replace(sql, ' WHERE 0', '') "
               "WHERE name = 'zelvarx_KayitNo'");
}

void DataFixture::restart()
{
    m_dm.reset();
    m_dm = std::make_unique<TDM2>(m_dir.path());
}

int DataFixture::residentCount()
{
    return m_dm->database().scalar(QStringLiteral("select count(*) from zelvarx")).toInt();
}

} // namespace zelvar::testing
