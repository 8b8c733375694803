// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TQrIkamet.h"
#include "documents/BandWriter.h"

namespace zelvar {

report::ReportDefinition TQrIkamet::definition(const OfficeValues& office, const QDate& today) const
{
    report::ReportDefinition d = a5Page(jobTitle(), 181.5);
    BandWriter w(d.detail, QStringLiteral("Courier New"));
    w.text(0.8, 31.8, QStringLiteral("İKAMETGAH BELGESİ"), 16, true);
    w.text(12.7, 6.3, QStringLiteral("İl.............:"));
    w.text(12.7, 44.5, office.il);
    addPhoto(d.detail, 12.7, 90.5);
    w.text(17.7, 6.3, QStringLiteral("İlçe...........:"));
    w.text(17.7, 44.5, office.ilce);
    w.text(23.0, 6.3, QStringLiteral("Mahalle........:"));
    w.text(23.0, 44.5, office.mahalle);
    w.text(28.0, 6.3, QStringLiteral("Sayı...........:"));
    w.text(28.0, 44.5, number);
    w.text(36.5, 6.3, QStringLiteral("Adı Soyadı.....:"));
    w.field(36.5, 44.5, QStringLiteral("Adi"));
    w.text(42.6, 6.3, QStringLiteral("Babasının Adı..:"));
    w.field(42.6, 44.5, QStringLiteral("BabaAdi"));
    w.text(48.7, 6.3, QStringLiteral("Anasının Adı...:"));
    w.field(48.7, 44.5, QStringLiteral("AnaAdi"));
    w.text(54.8, 6.3, QStringLiteral("Doğum Yeri.....:"));
    w.field(54.8, 44.5, QStringLiteral("DogYeri"));
    w.text(60.9, 6.3, QStringLiteral("Doğum Tarihi...:"));
    w.field(60.9, 44.5, QStringLiteral("DogTar"));
    w.text(66.9, 6.3, QStringLiteral("Medeni Hali....:"));
    w.field(66.9, 44.5, QStringLiteral("Medeni"));
    w.text(73.0, 6.3, QStringLiteral("Tabiyeti.......:"));
    w.field(73.0, 44.5, QStringLiteral("Tabiyeti"));
    w.text(79.1, 6.3, QStringLiteral("Niçin Verildiği:"));
    w.text(79.1, 44.5, purpose);
    w.text(85.2, 6.3, QStringLiteral("İşi............:"));
    w.field(85.2, 44.5, QStringLiteral("Meslek"));
    w.text(91.3, 6.3, QStringLiteral("Nüfus Kaydı....:"));
    w.field(91.3, 44.5, QStringLiteral("Vilayeti"));
    w.field(91.3, 67.7, QStringLiteral("Kazasi"));
    w.text(97.4, 6.3, QStringLiteral("İkametgahı......"));
    w.field(97.4, 44.5, QStringLiteral("Mahalle"));
    w.field(102.7, 44.5, QStringLiteral("Sokak"));
    w.field(102.7, 72.0, QStringLiteral("EvNo"));
    w.field(108.0, 44.5, QStringLiteral("Apartman"));
    w.text(108.0, 72.0, office.ilce, 10, true);
    w.text(114.3, 6.3, QStringLiteral("Hüviyetim ve ikametgahım hakkında düzenlenen bu"));
    w.text(119.9, 6.3, QStringLiteral("belgedeki soruların cevaplarının doğru olduğunu"));
    w.text(125.4, 6.3, QStringLiteral("ve tarafıma yapılacak herhangi bir yasal tebliği"));
    w.text(131.0, 6.3, QStringLiteral("kabul edeceğimi  bildiren ikametgah ilmühaberidir."));
    w.text(135.2, 82.5, QStringLiteral("İMZA"));
    w.text(147.9, 6.3, QStringLiteral("Hüviyeti yukarıda yazılı "));
    w.centredField(147.9, 77.8, QStringLiteral("BabaAdi"), 11, true);
    w.text(147.9, 97.4, QStringLiteral("kızı/oğlu"));
    w.field(153.7, 6.3, QStringLiteral("Adi"), 11, true);
    w.text(153.7, 57.1, QStringLiteral("nın ikametgahı tasdik olunur."));
    w.text(159.8, 6.3, dateText(today), 12, true);
    w.centredText(160.6, 86.4, office.zelvar, 12, true);
    w.centredText(167.0, 66.8, office.mahalle);
    w.text(167.0, 86.8, QStringLiteral("Zelvarı"));
    w.text(172.0, 93.1, office.ilce, 12, true);
    return d;
}

} // namespace zelvar
