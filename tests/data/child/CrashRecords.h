// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the crash writer stores for resident number n, so that the test can
// check every committed row field by field.
#include <QDate>
#include <QString>
#include <QVariantMap>

namespace zelvar::crashtest {

inline QString residentName(int n)
{
    return QStringLiteral("Kişi %1").arg(n);
}

// The fields of resident n, by field name, as the dataset is given them.
inline QVariantMap residentFields(int n)
{
    QVariantMap f;
    f.insert(QStringLiteral("Adi"), residentName(n));
    f.insert(QStringLiteral("DogTar"), QDate(1940, 1, 1).addDays(n * 37 % 30000));
    f.insert(QStringLiteral("Cinsiyeti"), n % 2 ? QStringLiteral("Erkek") : QStringLiteral("Kadın"));
    f.insert(QStringLiteral("EvDuru2"), n % 3 ? QStringLiteral("Evet") : QStringLiteral("Hayır"));
    f.insert(QStringLiteral("EvDurum1"), n % 4 ? QStringLiteral("Kiracı") : QStringLiteral("Evsahibi"));
    f.insert(QStringLiteral("Medeni"), n % 5 ? QStringLiteral("Evli") : QStringLiteral("Bekar"));
    f.insert(QStringLiteral("Meslek"), n % 7 ? QStringLiteral("Öğretmen") : QStringLiteral("İşsiz"));
    f.insert(QStringLiteral("Dini"), n % 11 ? QStringLiteral("İslam") : QStringLiteral("Musevi"));
    f.insert(QStringLiteral("Sokak"), QStringLiteral("Çınar Sokak %1").arg(n % 40));
    f.insert(QStringLiteral("EvNo"), QStringLiteral("%1/%2").arg(n % 90).arg(n % 7));
    f.insert(QStringLiteral("GittigiAdres"), QStringLiteral("Gittiği adres %1").arg(n));
    f.insert(QStringLiteral("Gittigiadres2"), QStringLiteral("Ankara %1").arg(n));
    // A long memo makes rows span pages, so a torn write would show.
    f.insert(QStringLiteral("Belgeler"), QStringLiteral("İkametgah Belgesi 01.02.2003\n").repeated(1 + n % 8));
    return f;
}

} // namespace zelvar::crashtest
