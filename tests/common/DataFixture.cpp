#include "DataFixture.h"

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
