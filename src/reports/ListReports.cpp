// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ListReports.h"

#include "data/FieldDefs.h"
#include "report/ReportDefinition.h"

namespace zelvar {

using report::AllSides;
using report::Band;
using report::BottomSide;
using report::FontSpec;
using report::Item;
using report::ReportDefinition;

namespace {

FontSpec arial(double size, bool bold = false)
{
    return {QStringLiteral("Arial"), size, bold};
}

FontSpec courier(double size, bool bold = false)
{
    return {QStringLiteral("Courier New"), size, bold};
}

QString dateText(const QDate& date)
{
    return date.toString(QLatin1String(kDateFormat));
}

// A text at its place given as left / top, as wide as it is.
Item text(const QString& value, const FontSpec& font, double left, double top)
{
    return Item::label(value, font).at(top, left);
}

Item field(const QString& name, const FontSpec& font, double left, double top)
{
    return Item::value(name, font).at(top, left);
}

// The page number in the bottom band of every list page.
Band pageFooter(bool framed)
{
    Band footer;
    footer.height = 6.3;
    if (framed)
        footer.items << Item::frame();
    footer.items << Item::pageNo(QStringLiteral("Sayfa"), arial(10)).at(1.1, 2.1);
    return footer;
}

} // namespace

ReportDefinition TQRList::definition(const OfficeRow& office, const QDate& today) const
{
    ReportDefinition def;
    def.title = title();

    const FontSpec head = arial(10, true);
    Band& titleBand = def.titleBand;
    titleBand.height = 10.8;
    titleBand.items << Item::fill(QColor(234, 234, 255)) << Item::frame() << text(office.il, head, 4.2, 1.6)
                    << text(office.ilce, head, 25.4, 1.6) << text(office.mahalle, head, 4.2, 5.3)
                    << text(QStringLiteral("Mahallesi"), head, 25.4, 5.3) << text(dateText(today), head, 133.3, 1.6)
                    << text(QStringLiteral("Zelvar :"), head, 133.3, 5.3) << text(office.zelvar, head, 148.2, 5.3)
                    << Item::label(QStringLiteral("Mahalle İsim Listesi"), arial(14)).centredAcross(2.1);

    Band& header = def.columnHeader;
    header.height = 6.1;
    header.items << Item::frame() << Item::label(QStringLiteral("Adı Soyadı"), head).inBox(0.3, 4.2, 18.5, 5.8, false);

    Band& detail = def.detail;
    detail.height = 6.3;
    // The name is fitted to its box of one line; the band never grows.
    detail.items << Item::value(QStringLiteral("Adi"), arial(9)).inBox(0.5, 4.2, 39.7, 4.5);

    for (const PlacedListColumn& column : m_columns) {
        if (column.width <= 0 || column.field.isEmpty())
            continue;
        const double left = reportPixelsToMm(column.left);
        const double width = reportPixelsToMm(column.width);
        header.items << Item::label(column.heading, head).inBox(0.3, left, width, 5.8, false);
        detail.items << Item::value(column.field, arial(9)).inBox(0.5, left, width, 4.5);
    }

    def.pageFooter = pageFooter(true);
    return def;
}

ReportDefinition TQRListForm::definition(const OfficeRow& office, const QDate& today) const
{
    ReportDefinition def;
    def.title = title();
    def.framePrintableArea = true;

    const FontSpec head = arial(10, true);
    Band& titleBand = def.titleBand;
    titleBand.height = 17.2;
    titleBand.items << Item::fill(QColor(236, 236, 255)) << Item::frame() << text(office.il, head, 4.2, 2.1)
                    << text(office.ilce, head, 4.2, 6.3) << text(office.mahalle, head, 4.2, 10.6)
                    << text(QStringLiteral("Mahallesi"), head, 19.1, 10.6)
                    << text(QStringLiteral("Zelvar"), head, 143.9, 2.1) << text(office.zelvar, head, 143.9, 6.3)
                    << text(dateText(today), head, 143.9, 10.6)
                    << Item::label(QStringLiteral("Mahalle Ayrıntılı Bilgi Listesi"), arial(14)).centredAcross(4.2);

    Band& detail = def.detail;
    detail.height = 76.5;
    detail.items << Item::frame(0, 0, 0, 0, BottomSide)
                 << text(QStringLiteral("KAYIT NO:"), courier(12, true), 2.1, 4.2)
                 << field(QStringLiteral("KayitNo"), courier(12, true), 27.5, 4.2);
    if (m_photo)
        detail.items << Item::imageField(QStringLiteral("Foto"), 16.9, 6.3, 32.0, 40.5);

    struct Row {
        double top;
        const char* leftCaption;
        const char* leftField;
        const char* rightCaption;
        const char* rightField;
    };
    static const Row rows[] = {
        {4.2, "Adı Soyadı..:", "Adi", "Nüf.Kay.İl...:", "Vilayeti"},
        {10.6, "Baba Adı....:", "BabaAdi", "İlçe.........:", "Kazasi"},
        {16.9, "Ana Adı.....:", "AnaAdi", "Mahalle/Köy..:", "MahalleKoyu"},
        {23.3, "Doğum Yeri..:", "DogYeri", "Cilt No......:", "Cilt"},
        {29.6, "Doğum Tarihi:", "DogTar", "Aile Sıra No.:", "Hane"},
        {36.0, "İşi.........:", "Meslek", "Sıra No......:", "Sayfa"},
        {42.3, "Medeni Dur..:", "Medeni", "N.Cüz.Seri No:", "NC_Seri"},
        {48.7, "Yakınlığı...:", "Yakinlik", "N.Cüz.Kay.No.:", "NC_KayitNo"},
        {55.0, "Ev Telefonu.:", "Telefon", "N.Cüz.Tarihi.:", "NC_Tarihi"},
        {61.4, "İş Telefonu.:", "IsTelefon", "Ver.Nuf.Da...:", "NC_Daire"},
    };
    const FontSpec plain = courier(10);
    for (const Row& r : rows) {
        detail.items << text(QString::fromUtf8(r.leftCaption), plain, 55.0, r.top)
                     << field(QString::fromUtf8(r.leftField), plain, 83.6, r.top)
                     << text(QString::fromUtf8(r.rightCaption), plain, 123.8, r.top)
                     << field(QString::fromUtf8(r.rightField), plain, 154.5, r.top);
    }
    detail.items << text(QStringLiteral("ADRES:"), courier(10, true), 2.1, 63.5)
                 << text(QStringLiteral("Cad/Sokak:"), plain, 2.1, 67.7)
                 << field(QStringLiteral("Sokak"), plain, 23.8, 67.7)
                 << text(QStringLiteral("Apartman....:"), plain, 55.0, 67.7)
                 << field(QStringLiteral("Apartman"), plain, 83.6, 67.7)
                 << text(QStringLiteral("Ev No........:"), plain, 123.8, 67.7)
                 << field(QStringLiteral("EvNo"), plain, 154.5, 67.7);

    def.pageFooter = pageFooter(false);
    return def;
}

ReportDefinition TQRLabelForm::definition(const OfficeRow& office) const
{
    ReportDefinition def;
    def.title = title();
    // Three columns of labels, filled downwards, side by side without a gap.
    def.columns = 3;
    def.columnWidth = 61.4;
    def.columnGap = 0;

    Band& label = def.detail;
    label.height = 25.1;
    const FontSpec plain = arial(10);
    label.items << text(QStringLiteral("Sayın"), {QStringLiteral("MS Sans Serif"), 9}, 5.3, 1.3)
                << field(QStringLiteral("Adi"), arial(10, true), 5.3, 6.3)
                << field(QStringLiteral("Sokak"), plain, 5.3, 12.7)
                << field(QStringLiteral("Apartman"), plain, 27.5, 12.7)
                << field(QStringLiteral("EvNo"), plain, 5.3, 19.1) << text(office.ilce, plain, 19.1, 19.1)
                << text(office.il, plain, 38.1, 19.1);
    return def;
}

} // namespace zelvar
