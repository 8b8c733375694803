// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TQRDeg.h"
#include "documents/BandWriter.h"

#include <QRegularExpression>

namespace zelvar {

void TQRDeg::setWorkAddress(const QString& address)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = address.split(lineEnd);
    for (int i = 0; i < workLines.size(); ++i)
        workLines[i] = i < lines.size() ? lines[i] : QString();
}

report::ReportDefinition TQRDeg::definition(const OfficeValues& office, const QDate& today) const
{
    report::ReportDefinition d = a5Page(jobTitle(), 181.2);
    BandWriter w(d.detail, QStringLiteral("Courier New"));
    w.text(5.0, 6.3, QStringLiteral("NÜFUS CÜZDANI DEĞİŞTİRME BELGESİ"), 16, true);
    w.text(16.9, 6.3, QStringLiteral("Adı Soyadı.....:"));
    w.field(16.9, 42.3, QStringLiteral("Adi"));
    addPhoto(d.detail, 16.9, 88.4);
    w.text(22.5, 6.3, QStringLiteral("Baba Adı.......:"));
    w.field(22.5, 42.3, QStringLiteral("BabaAdi"));
    w.text(28.0, 6.3, QStringLiteral("Ana Adı........:"));
    w.field(28.0, 42.3, QStringLiteral("AnaAdi"));
    w.text(33.3, 6.3, QStringLiteral("Doğum Yeri.....:"));
    w.field(33.3, 42.3, QStringLiteral("DogYeri"));
    w.text(38.9, 6.3, QStringLiteral("Doğum Tarihi...:"));
    w.field(38.9, 42.3, QStringLiteral("DogTar"));
    w.text(44.5, 6.3, QStringLiteral("Nüfus Cüzdanı..:"));
    w.text(44.5, 42.3, QStringLiteral("Kayıp veya Değişme"));
    w.text(51.9, 6.3, QStringLiteral("NÜFUS KAYDI"), 10, true);
    w.text(57.1, 6.3, QStringLiteral("İl................:"));
    w.field(57.1, 48.7, QStringLiteral("Vilayeti"));
    w.text(62.7, 6.3, QStringLiteral("İlçe..............:"));
    w.field(63.0, 48.7, QStringLiteral("Kazasi"));
    w.text(68.3, 6.3, QStringLiteral("Mahalle/Köy.......:"));
    w.field(68.5, 48.7, QStringLiteral("MahalleKoyu"));
    w.text(73.8, 6.3, QStringLiteral("Cilt No...........:"));
    w.field(74.3, 48.7, QStringLiteral("Cilt"));
    w.text(79.4, 6.3, QStringLiteral("Aile.Sır.No(Kütük):"));
    w.field(79.9, 48.7, QStringLiteral("Hane"));
    w.text(84.9, 6.3, QStringLiteral("Sıra No(Sahife)...:"));
    w.field(85.7, 48.7, QStringLiteral("Sayfa"));
    w.text(90.5, 6.3, QStringLiteral("Nüf.Cüz.Kay.Nedeni:"));
    w.text(90.5, 48.7, reason);
    w.text(96.0, 6.3, QStringLiteral("Es.Nüf.Cüz.Tarihi.:"));
    w.field(97.1, 48.7, QStringLiteral("NC_Tarihi"));
    w.text(101.6, 6.3, QStringLiteral("Eski Nüf.Cüzdan No:"));
    w.field(101.6, 69.8, QStringLiteral("NC_KayitNo"));
    w.field(102.9, 48.7, QStringLiteral("NC_Seri"));
    w.text(108.0, 6.3, QStringLiteral("AÇIK EV ADRESİ....:"), 10, true);
    w.field(108.5, 48.7, QStringLiteral("Sokak"));
    w.field(114.3, 48.7, QStringLiteral("EvNo"));
    w.field(114.3, 65.6, QStringLiteral("Apartman"));
    w.text(119.6, 65.6, office.ilce, 10, true);
    w.text(123.3, 6.3, QStringLiteral("AÇIK İŞ ADRESİ....:"), 10, true);
    w.text(124.9, 48.7, workLines.value(0));
    w.text(129.9, 48.7, workLines.value(1));
    w.text(135.2, 48.7, workLines.value(2));
    w.text(140.2, 48.7, workLines.value(3));
    w.centredText(143.4, 80.3, QStringLiteral("İMZASI"));
    w.text(150.0, 6.3, QStringLiteral("Yukarıdaki bilgilerin doğruluğu ve fotoğrafın kimliği"));
    w.text(154.3, 6.3, QStringLiteral("yazılı kişiye ait olduğu tasdik olunur."));
    w.text(158.5, 6.3, dateText(today), 12, true);
    w.centredText(160.6, 84.3, office.zelvar, 12, true);
    w.centredText(167.0, 64.7, office.mahalle);
    w.text(167.0, 76.2, QStringLiteral("       Zelvarı"));
    w.text(171.2, 88.9, office.ilce, 12, true);
    return d;
}

} // namespace zelvar
