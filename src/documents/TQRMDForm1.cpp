// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TQRMDForm1.h"
#include "documents/BandWriter.h"

namespace zelvar {

namespace {

using report::Item;

void titleBand(report::Band& band)
{
    band.height = 10.6;
    band.items << Item::fill(TQRMDForm1::titleBackground())
               << Item::frame(0, 0, 0, 0, report::TopSide | report::LeftSide | report::RightSide)
               << Item::label(TQRMDForm1::jobTitle(), {"Arial", 14}).centredAcross(2.1);
}

void columnHeader(report::Band& band, const OfficeValues& office)
{
    band.height = 8.7;
    band.items << Item::frame(0, 0, 0, 0, report::TopSide | report::LeftSide | report::RightSide);
    BandWriter w(band, QStringLiteral("Arial"));
    w.text(2.1, 2.1, QStringLiteral("Konutun Bul. Yer:"), 9, true);
    w.text(2.4, 29.6, QStringLiteral("İl:"), 9, true);
    w.text(2.4, 33.9, office.il, 9);
    w.text(2.1, 57.1, QStringLiteral("İlçe: "), 9, true);
    w.text(2.1, 65.9, office.ilce, 9);
    w.text(2.1, 88.9, QStringLiteral("Mahalle:"), 9, true);
    w.text(2.1, 102.9, office.mahalle, 9);
    w.text(2.1, 132.0, QStringLiteral("Cad. / Sokak:"), 9, true);
    w.field(2.1, 153.2, QStringLiteral("Sokak"), 9);
    w.text(2.1, 177.5, QStringLiteral("Bina / Ev No:"), 9, true);
    w.field(2.1, 196.6, QStringLiteral("EvNo"), 9);
    w.text(2.1, 210.6, QStringLiteral("Telefon:"), 9, true);
    w.field(2.1, 224.1, QStringLiteral("Telefon"), 9);
    w.text(2.1, 243.7, QStringLiteral("Konut T."), 9, true);
    w.field(2.1, 256.4, QStringLiteral("Konuturu"), 9);
}

void detail(report::Band& band)
{
    band.height = 23.3;
    band.items << Item::frame();
    BandWriter w(band, QStringLiteral("Arial"));
    const auto caption = [&w](double top, double left, const char* text) {
        w.text(top, left, QString::fromUtf8(text), 9, true);
    };
    const auto value = [&w](double top, double left, const char* field) {
        w.field(top, left, QString::fromLatin1(field), 9);
    };
    caption(2.1, 1.9, "N.Cz.Seri No");
    caption(2.1, 22.2, "Adı Soyadı");
    caption(2.1, 57.7, "Baba Adı");
    caption(2.1, 74.6, "Ana Adı");
    caption(2.1, 91.3, "Doğ.Yeri");
    caption(2.1, 111.9, "Doğ.Tarihi");
    caption(2.1, 130.2, "Med.Hali");
    caption(2.1, 146.6, "Dini");
    caption(2.1, 160.1, "İL");
    caption(2.1, 177.0, "İlçe");
    caption(2.1, 194.2, "Mah./Köy");
    caption(2.1, 218.0, "Cilt No");
    caption(2.1, 228.6, "Sayfa No");
    caption(2.1, 243.4, "Kütük No");
    caption(2.1, 251.9, "Ver.Nüf.Da.");
    value(6.3, 1.6, "NC_Seri");
    value(6.3, 22.2, "Adi");
    value(6.3, 57.7, "BabaAdi");
    value(6.3, 74.9, "AnaAdi");
    value(6.3, 91.3, "DogYeri");
    value(6.3, 112.4, "DogTar");
    value(6.3, 130.4, "Medeni");
    value(6.3, 147.1, "Dini");
    value(6.3, 160.1, "Vilayeti");
    value(6.3, 177.3, "Kazasi");
    value(6.3, 194.2, "MahalleKoyu");
    w.centredField(6.3, 220.5, QStringLiteral("Cilt"), 9);
    w.centredField(6.3, 233.0, QStringLiteral("Sayfa"), 9);
    w.centredField(6.3, 247.5, QStringLiteral("Hane"), 9);
    value(6.3, 257.2, "NC_Daire");
    caption(12.7, 2.1, "Ver. Nedeni");
    caption(12.7, 22.2, "Cüz.Kayıt No");
    caption(12.7, 47.6, "Ver. Tarihi");
    caption(12.7, 70.9, "Uyruğu");
    caption(12.7, 86.3, "Cinsiyeti");
    caption(12.7, 102.9, "İşi veya Okulu");
    caption(12.7, 129.6, "Yakınlığı");
    caption(12.7, 144.7, "Önceki Adres 1");
    caption(13.0, 173.3, "Önceki Adres 2");
    caption(12.7, 198.4, "Geliş Tarihi");
    caption(12.7, 218.3, "Gittiği Adres 1");
    caption(12.7, 245.8, "Gittiği Adres 2");
    value(16.9, 2.1, "NC_Nedeni");
    value(16.9, 22.2, "NC_KayitNo");
    value(16.9, 47.9, "NC_Tarihi");
    value(16.9, 70.6, "Tabiyeti");
    value(16.9, 86.5, "Cinsiyeti");
    value(16.9, 102.9, "Meslek");
    value(16.9, 129.6, "Yakinlik");
    value(16.9, 144.7, "OncekiAdresi");
    value(16.9, 173.3, "Oncekiadres2");
    value(16.9, 198.7, "YokTar");
    value(16.9, 218.5, "GittigiAdres");
    value(16.9, 245.8, "Gittigiadres2");
}

} // namespace

report::ReportDefinition TQRMDForm1::definition(const OfficeValues& office) const
{
    report::ReportDefinition d;
    d.title = jobTitle();
    d.paper = QPageSize::A4;
    d.orientation = QPageLayout::Landscape;
    d.margins = QMarginsF(12.7, 12.7, 12.7, 12.7);
    titleBand(d.titleBand);
    columnHeader(d.columnHeader, office);
    detail(d.detail);
    d.pageFooter.height = 6.3;
    d.pageFooter.items << Item::pageNo(QStringLiteral("Sayfa"), {"Arial", 9}).at(1.1, 8.5);
    return d;
}

} // namespace zelvar
