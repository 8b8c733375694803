// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data module with an office row and residents for the certificate tests,
// the platform fakes, and the command that prints the certificates.
#include "DataFixture.h"
#include "documents/CertificateCommand.h"
#include "documents/PrintedForms.h"
#include "platform/fakes/FakeServices.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

namespace zelvar::testing {

struct CertificateFixture {
    DataFixture data;
    FakeServices fakes;
    PrintedForms forms;

    TDM2& dm() { return data.dm(); }

    void setOffice(const QString& fotobas = QStringLiteral("1"))
    {
        dm().database().exec(QStringLiteral("delete from Mahalle"));
        dm().database().exec(
            QStringLiteral("insert into Mahalle (Il, Ilce, Mahalle, Zelvar, Fotobas) values (?, ?, ?, ?, ?)"),
            {QStringLiteral("İzmir"), QStringLiteral("Bornova"), QStringLiteral("Kazımdirik"),
             QStringLiteral("Hasan Demir"), fotobas.isEmpty() ? QVariant() : QVariant(fotobas)});
        dm().tbMah->refresh();
        dm().tbMah->first();
    }

    static QVariantMap fullResident()
    {
        return {{"BabaAdi", "Mehmet"},
                {"AnaAdi", "Fatma"},
                {"DogYeri", "Ödemiş"},
                {"DogTar", "1964-08-01"},
                {"Medeni", "Evli"},
                {"Tabiyeti", "T.C."},
                {"Meslek", "Öğretmen"},
                {"Vilayeti", "Manisa"},
                {"Kazasi", "Salihli"},
                {"Mahalle", "Erzene"},
                {"Sokak", "Gül Sokak"},
                {"EvNo", "12/3"},
                {"Apartman", "Çınar Apt."},
                {"MahalleKoyu", "Birgi"},
                {"Cilt", "12"},
                {"Hane", "345"},
                {"Sayfa", "67"},
                {"NC_Tarihi", "1990-05-15"},
                {"NC_KayitNo", "A123"},
                {"NC_Seri", "B456789"},
                {"NC_Daire", "Salihli"},
                {"NC_Nedeni", "Yenileme"},
                {"Dini", "İslam"},
                {"Cinsiyeti", "Kadın"},
                {"IsAdresi", "Ege Üniversitesi\nFen Fakültesi"}};
    }

    // Opens the register on every resident and stands on the one numbered.
    void standOn(int number)
    {
        TDM2::reopen(dm().Query2, QStringLiteral("select * from zelvarx"));
        QVERIFY(dm().Query2->locate(QStringLiteral("KayitNo"), number));
    }

    void addPhoto(int number, const QColor& colour = Qt::red)
    {
        QImage image(40, 50, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        dm().database().exec(QStringLiteral("insert into Foto (Kayitno, Foto) values (?, ?)"), {double(number), png});
        dm().tbfoto->refresh();
    }

    QString log(int number)
    {
        return dm()
            .database()
            .scalar(QStringLiteral("select Belgeler from zelvarx where KayitNo = ?"), {double(number)})
            .toString();
    }

    CertificateCommand command(const QString& number = QStringLiteral("2026/15"),
                               const QString& purpose = QStringLiteral("Banka"))
    {
        CertificateCommand c(dm(), fakes.services);
        c.setResidenceDialog([number, purpose](TQrIkamet& form) {
            form.number = number;
            form.purpose = purpose;
        });
        return c;
    }

    report::Page lastPage() { return fakes.printing.lastReport()->page(0); }
};

} // namespace zelvar::testing
