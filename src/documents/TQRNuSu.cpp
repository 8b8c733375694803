// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TQRNuSu.h"
#include "documents/BandWriter.h"

namespace zelvar {

report::ReportDefinition TQRNuSu::definition(const OfficeValues& office, const QDate& today) const
{
    report::ReportDefinition d = a5Page(jobTitle(), 174.9);
    BandWriter w(d.detail, QStringLiteral("Courier New"));
    w.text(0.8, 27.5, QStringLiteral("NÜFUS CÜZDAN SURETİ"), 16, true);
    w.text(12.7, 6.3, QStringLiteral("Kayıt No.......:"));
    w.field(12.7, 42.3, QStringLiteral("KayitNo"));
    addPhoto(d.detail, 12.7, 90.5);
    w.text(18.3, 6.3, QStringLiteral("Cüzdan Seri No.:"));
    w.field(18.3, 42.3, QStringLiteral("NC_Seri"));
    w.text(24.1, 6.3, QStringLiteral("Adı Soyadı ....:"));
    w.field(24.1, 42.3, QStringLiteral("Adi"));
    w.text(29.6, 6.3, QStringLiteral("Babasının Adı..:"));
    w.field(29.6, 42.3, QStringLiteral("BabaAdi"));
    w.text(35.2, 6.3, QStringLiteral("Anasının Adı...:"));
    w.field(35.2, 42.3, QStringLiteral("AnaAdi"));
    w.text(41.0, 6.3, QStringLiteral("Doğum Yeri.....:"));
    w.field(41.0, 42.3, QStringLiteral("DogYeri"));
    w.text(46.6, 6.3, QStringLiteral("Doğum Tarihi...:"));
    w.field(46.6, 42.3, QStringLiteral("DogTar"));
    w.text(52.1, 6.3, QStringLiteral("Medeni Hali....:"));
    w.field(52.1, 42.3, QStringLiteral("Medeni"));
    w.text(57.9, 6.3, QStringLiteral("Dini...........:"));
    w.field(57.9, 42.3, QStringLiteral("Dini"));
    w.text(63.5, 6.3, QStringLiteral("Cinsiyeti......:"));
    w.field(63.5, 42.3, QStringLiteral("Cinsiyeti"));
    w.text(69.6, 16.9, QStringLiteral("NÜFUS KÜTÜĞÜNDE YAZILI OLDUĞU YER"), 12, true);
    w.text(75.9, 6.3, QStringLiteral("İli............:"));
    w.field(75.9, 42.3, QStringLiteral("Vilayeti"));
    w.text(81.5, 6.3, QStringLiteral("İlçesi.........:"));
    w.field(81.5, 42.3, QStringLiteral("Kazasi"));
    w.text(87.0, 6.3, QStringLiteral("Mahalle/Köyü...:"));
    w.field(87.0, 42.3, QStringLiteral("MahalleKoyu"));
    w.text(92.6, 6.3, QStringLiteral("Cilt No........:"));
    w.field(92.6, 42.3, QStringLiteral("Cilt"));
    w.text(98.2, 6.3, QStringLiteral("Aile Sıra No...:"));
    w.field(98.2, 42.3, QStringLiteral("Hane"));
    w.text(103.7, 6.3, QStringLiteral("Sıra No........:"));
    w.field(103.7, 42.3, QStringLiteral("Sayfa"));
    w.text(109.3, 6.3, QStringLiteral("Veril.Nüf.Daire:"));
    w.field(109.3, 42.3, QStringLiteral("NC_Daire"));
    w.text(114.8, 6.3, QStringLiteral("Verildiği Tarih:"));
    w.field(114.8, 42.3, QStringLiteral("NC_Tarihi"));
    w.text(120.4, 6.3, QStringLiteral("Veriliş Nedeni.:"));
    w.field(120.4, 42.3, QStringLiteral("NC_Nedeni"));
    w.text(126.7, 19.1, QStringLiteral("Bu nüfus cüzdanında adı ve hüviyeti yazılı "));
    w.field(132.6, 4.2, QStringLiteral("Adi"), 10, true);
    w.text(132.6, 55.0, QStringLiteral("Türkiye Cumhuriyeti Vatandaşı "));
    w.text(138.4, 4.2, QStringLiteral("olarak nüfus kütüğüne kayıtlıdır."));
    w.text(144.2, 4.2, QStringLiteral("Bu cüzdan "));
    w.field(144.2, 25.4, QStringLiteral("NC_Daire"), 10, true);
    w.text(144.2, 59.3, QStringLiteral("nüfus idaresinden"));
    w.text(144.2, 96.6, QStringLiteral("verilmiştir."));
    w.text(149.5, 4.2, dateText(today), 12, true);
    w.centredText(152.1, 88.5, office.zelvar, 12, true);
    w.centredText(158.5, 68.9, office.mahalle);
    w.text(158.5, 80.4, QStringLiteral("     Zelvarı"));
    w.centredText(162.7, 99.6, office.ilce, 12, true);
    return d;
}

} // namespace zelvar
