// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CertificateTemplates.h"

#include "documents/DocumentKind.h"

namespace zelvar {

namespace {

QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}

QString dots(int n)
{
    return QString(n, QLatin1Char('.'));
}

const std::optional<LineFormat> base;
const std::optional<LineFormat> f10{LineFormat{10, false}};
const std::optional<LineFormat> f10b{LineFormat{10, true}};
const std::optional<LineFormat> f12{LineFormat{12, false}};
const std::optional<LineFormat> f12b{LineFormat{12, true}};
const std::optional<LineFormat> f16b{LineFormat{16, true}};

// The office heading shared by the move-out, poverty and status texts.
void officeHeading(QVector<TemplateLine>& l, const TemplateValues& v)
{
    l.append({sp(27) + QStringLiteral("T.C."), base});
    l.append({sp(22) + v.o("Il") + QStringLiteral(" İli"), base});
    l.append({sp(21) + v.o("Ilce") + QStringLiteral(" İlçesi"), base});
    l.append({sp(15) + v.o("Mahalle") + QStringLiteral(" Zelvarlığı"), base});
}

// The resident's identity, one labelled line each, as the move-out and
// poverty texts give it.
void identityLines(QVector<TemplateLine>& l, const TemplateValues& v, const QString& label)
{
    static const std::pair<const char*, const char*> rows[] = {
        {"Adı Soyadı..........: ", "Adi"},      {"Babasının Adı.......: ", "BabaAdi"},
        {"Anasının Adı........: ", "AnaAdi"},   {"Doğum Yeri..........: ", "DogYeri"},
        {"Doğum Tarihi........: ", "DogTar"},   {"Medeni Hali.........: ", "Medeni"},
        {"Tabiyeti............: ", "Tabiyeti"}, {"İşi.................: ", "Meslek"},
    };
    for (const auto& [caption, field] : rows)
        l.append({label + QString::fromUtf8(caption) + v.r(field), f10});
}

// "Mahallemiz <street> <building> <number> No da / ikamet etmekte bulunan
// yukarıda kimliği yazılı": the sentence every residence text opens with.
void residenceOpening(QVector<TemplateLine>& l, const TemplateValues& v, const QString& ending, const QString& label)
{
    l.append({sp(6) + QStringLiteral("Mahallemiz ") + v.r("Sokak") + QLatin1Char(' ') + v.r("Apartman") +
                  QLatin1Char(' ') + v.r("EvNo") + ending,
              f10});
    l.append({label + QStringLiteral("ikamet etmekte bulunan yukarıda kimliği yazılı "), f10});
}

} // namespace

QString templateDate(const QDate& date, const QLocale& locale)
{
    QChar separator = QLatin1Char('.');
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat))
        if (!c.isLetter() && c != QLatin1Char('\'')) {
            separator = c;
            break;
        }
    return date.toString(QStringLiteral("dd")) + separator + date.toString(QStringLiteral("MM")) + separator +
           date.toString(QStringLiteral("yyyy"));
}

int MoveOutCertificate::kind() const
{
    return documentkind::MoveOut;
}

QVector<TemplateLine> MoveOutCertificate::lines(const TemplateValues& v) const
{
    const QString label = sp(6);
    QVector<TemplateLine> l;
    l.append({sp(1), base});
    officeHeading(l, v);
    l.append({sp(1), f16b});
    l.append({sp(1), f16b});
    l.append({sp(11) + QStringLiteral("NAKİL BELGESİ") + sp(2), f16b});
    l.append({sp(1), f10});
    l.append({label + QStringLiteral("İl..................: ") + v.o("Il"), f10});
    l.append({label + QStringLiteral("İlçe................: ") + v.o("Ilce"), f10});
    l.append({label + QStringLiteral("Mahalle.............: ") + v.o("Mahalle"), f10});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    identityLines(l, v, label);
    l.append(
        {label + QStringLiteral("Nüfus kaydı.........: ") + v.r("Vilayeti") + QStringLiteral(" - ") + v.r("Kazasi"),
         f10});
    l.append({sp(28) + v.r("MahalleKoyu"), f10});
    l.append({label + QStringLiteral("Cilt No.............: ") + v.r("Cilt"), f10});
    l.append({label + QStringLiteral("Aile Sıra No(Kütük).: ") + v.r("Hane"), f10});
    l.append({label + QStringLiteral("Sıra No (Sahife)....: ") + v.r("Sayfa"), f10});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    residenceOpening(l, v, QStringLiteral(" No'da"), label);
    l.append({label + v.r("Adi") + QStringLiteral(" yalnız/eşi ve.......çocuğu ile"), f10});
    l.append({label + QStringLiteral("............İli............ilçesi,............."), f10});
    l.append({label + QStringLiteral("mahallesinde...............No,ya taşınmış olup,"), f10});
    l.append({label + QStringLiteral("mahallemizdeki kaydı kapatılmıştır."), f10});
    l.append({sp(5) + v.today, f12b});
    l.append({sp(1), f12b});
    l.append({sp(31) + v.o("Zelvar"), f12b});
    l.append({sp(24) + v.o("Mahalle") + QStringLiteral(" Zelvarı"), f12});
    l.append({sp(40) + v.o("Ilce"), f12b});
    return l;
}

int PovertyCertificate::kind() const
{
    return documentkind::Poverty;
}

QVector<TemplateLine> PovertyCertificate::lines(const TemplateValues& v) const
{
    const QString label = sp(6);
    QVector<TemplateLine> l;
    l.append({sp(1), base});
    l.append({sp(1), base});
    officeHeading(l, v);
    l.append({sp(1), base});
    l.append({sp(1), base});
    l.append({sp(10) + QStringLiteral("FAKİRLİK BELGESİ") + sp(2), f16b});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    identityLines(l, v, label);
    l.append({sp(4), f10});
    residenceOpening(l, v, QStringLiteral(" No da"), label);
    l.append({label + v.r("Adi") + QStringLiteral(" nin mahallemizde menkul ve"), f10});
    l.append({label + QStringLiteral("gayrımenkul malı olmadığını ve kendisine "), f10});
    l.append({label + QStringLiteral("bağlanmış maaşı bulunmadığını, geçimini "), f10});
    l.append({label + QStringLiteral(".............suretiyle sağladığını, fakir ve "), f10});
    l.append({label + QStringLiteral("yardıma muhtaç olduğunu bildiren bu belge "), f10});
    l.append({label + QStringLiteral("isteği üzerine kendisine verilmiştir."), f10});
    l.append({sp(6) + v.today, f12b});
    l.append({sp(1), f12b});
    l.append({sp(27) + v.o("Zelvar"), f12b});
    l.append({sp(25) + v.o("Mahalle") + QStringLiteral(" Zelvarı") + sp(2), f10});
    l.append({sp(33) + v.o("Ilce"), f12b});
    return l;
}

int StatusCertificate::kind() const
{
    return documentkind::Status;
}

QVector<TemplateLine> StatusCertificate::lines(const TemplateValues& v) const
{
    const QString label = sp(6);
    QVector<TemplateLine> l;
    l.append({sp(1), base});
    l.append({sp(1), base});
    officeHeading(l, v);
    l.append({sp(1), base});
    l.append({sp(1), base});
    l.append({sp(10) + QStringLiteral("İLMUHABER(BELGE)") + sp(2), f16b});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    residenceOpening(l, v, QStringLiteral(" No da"), label);
    l.append({label + v.r("Adi") + QStringLiteral(" nın sağ veya dul olduğunu tasdik "), f10});
    l.append({label + QStringLiteral("ederim."), f10});
    l.append({sp(1), f10});
    l.append({label + QStringLiteral("Vekil-Vasi "), f10});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    l.append({sp(5) + v.today, f12b});
    l.append({sp(24) + v.o("Zelvar"), f12b});
    l.append({sp(23) + v.o("Mahalle") + QStringLiteral(" Zelvarı"), f10});
    l.append({sp(32) + v.o("Ilce"), f12b});
    return l;
}

int IdCardChangeBackPage::kind() const
{
    return documentkind::IdCardBack;
}

QVector<TemplateLine> IdCardChangeBackPage::lines(const TemplateValues& v) const
{
    const QString label = sp(5);
    QVector<TemplateLine> l;
    l.append({sp(1), base});
    l.append({sp(1), base});
    l.append({sp(13) + QStringLiteral("( NÜFUS İDARELERİNCE DOLDURULUR )"), f10b});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    l.append({label + QStringLiteral("Gönderilen Nüfus Başmemurluğu:"), f10});
    l.append({label + dots(49), f10});
    l.append({label + QStringLiteral("Gönderen Nüfus Başmemurluğu..:"), f10});
    l.append({label + dots(49), f10});
    l.append({label + QStringLiteral("Kayıt Tarihi........:"), f10});
    l.append({label + QStringLiteral("Kayıt No............:"), f10});
    l.append({sp(32) + QStringLiteral("Başmemurun İmzası"), f10});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    l.append({sp(19) + QStringLiteral("NÜFUS KAYIT ÖRNEĞİ"), f10b});
    l.append({sp(1), f10});
    l.append({label + QStringLiteral("İl..................: ") + v.r("Vilayeti"), f10});
    l.append({label + QStringLiteral("İlçe................: ") + v.r("Kazasi"), f10});
    l.append({label + QStringLiteral("Mahalle/Köy.........: ") + v.r("MahalleKoyu"), f10});
    l.append({label + QStringLiteral("Cilt No.............: ") + v.r("Cilt"), f10});
    l.append({label + QStringLiteral("Sıra No (Sahife)....: ") + v.r("Sayfa"), f10});
    l.append({label + QStringLiteral("Aile Sıra No(Kütük).: ") + v.r("Hane"), f10});
    l.append({label + QStringLiteral("Adı ve Soyadı.......: ") + v.r("Adi"), f10});
    l.append({label + QStringLiteral("Baba Adı............: ") + v.r("BabaAdi"), f10});
    l.append({label + QStringLiteral("Ana Adı............ : ") + v.r("AnaAdi"), f10});
    l.append({label + QStringLiteral("Doğum Yeri..........: ") + v.r("DogYeri"), f10});
    l.append({label + QStringLiteral("Doğum Tarihi........: ") + v.r("DogTar"), f10});
    l.append({label + QStringLiteral("Medeni Hali.........: ") + v.r("Medeni"), f10});
    l.append({label + QStringLiteral("Dini................: ") + v.r("Dini"), f10});
    l.append({sp(1), f10});
    l.append({label + QStringLiteral("Belge ile Kayıt Arasında Farklılık ve Açıklamalar:"), f10});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    l.append({sp(29) + QStringLiteral("Kütüğe Uygundur. ../../...."), f10});
    l.append({sp(29) + QStringLiteral("..............Nüfus Başmemuru"), f10});
    l.append({sp(1), f10});
    l.append({sp(1), f10});
    l.append({sp(6) + QStringLiteral("Gönderilen Nüfus Başmemurluğu"), f10});
    l.append({sp(6) + dots(50), f10});
    l.append({sp(6) + QStringLiteral("Düzenlenen Nüfus Cüzdanının:"), f10});
    l.append({sp(6) + QStringLiteral("Tarihi.............:"), f10});
    l.append({sp(6) + QStringLiteral("Seri No............:"), f10});
    l.append({sp(1), f10});
    l.append({sp(34) + QStringLiteral("Memurun İmzası"), f10});
    l.append({sp(2), f10});
    return l;
}

} // namespace zelvar
