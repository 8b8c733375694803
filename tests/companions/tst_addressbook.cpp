// SPDX-License-Identifier: GPL-3.0-or-later
// The address book: its search as the words are typed, Turkish order and
// case, and address cards in and out.
#include "TestFiles.h"
#include "TestRegistry.h"
#include "companions/addressbook/AddressBookWindow.h"
#include "companions/addressbook/ContactBook.h"
#include "companions/addressbook/ContactList.h"
#include "companions/addressbook/VCardFile.h"
#include "data/Database.h"
#include "platform/fakes/FakeServices.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using zelvar::testing::writeBytes;

namespace {

Contact contact(const QString& name, const QString& institution = {}, const QString& phone = {})
{
    Contact c;
    c.name = name;
    c.institution = institution;
    c.phone = phone;
    return c;
}

QStringList shownNames(const ContactList& list)
{
    QStringList names;
    for (int i = 0; i < list.shownCount(); ++i)
        names << (list.shown(i).name.isEmpty() ? list.shown(i).institution : list.shown(i).name);
    return names;
}

} // namespace

class AddressBookTest : public QObject {
    Q_OBJECT
private slots:
    void searchAndOrderAreTurkish()
    {
        auto db = Database::openInMemory();
        ContactBook book(*db);
        for (const Contact& c : {contact("Zeki Uçar", "Emniyet"), contact("IŞIK Nalbur", {}, "0216 345 67 89"),
                                 contact("Çiğdem Öztürk", "Aile Sağlığı Merkezi"), contact("ılgaz ışıklı"),
                                 contact("İlhan Demir", "Caferağa İlkokulu"), contact("ilker Can"),
                                 contact("Cemil Çelik"), contact({}, "Kadıköy Kaymakamlığı", "0216 414 40 00")})
            book.save(c);
        ContactList list;
        list.load(*db);
        // c, ç; ı before i; ş and ü after their plain letters.
        QCOMPARE(shownNames(list), (QStringList{"Cemil Çelik", "Çiğdem Öztürk", "ılgaz ışıklı", "IŞIK Nalbur",
                                                "İlhan Demir", "ilker Can", "Kadıköy Kaymakamlığı", "Zeki Uçar"}));
        // I and ı are one letter, İ and i another.
        list.filter("ışık");
        QCOMPARE(shownNames(list), (QStringList{"ılgaz ışıklı", "IŞIK Nalbur"}));
        list.filter("İL");
        QCOMPARE(shownNames(list), (QStringList{"Cemil Çelik", "Çiğdem Öztürk", "İlhan Demir", "ilker Can"}));
        // Every word, anywhere in name, institution, title, telephone.
        list.filter("ilk caf");
        QCOMPARE(shownNames(list), QStringList{"İlhan Demir"});
        list.filter("02163456789");
        QCOMPARE(shownNames(list), QStringList{"IŞIK Nalbur"});
        list.filter("414 40");
        QCOMPARE(shownNames(list), QStringList{"Kadıköy Kaymakamlığı"});
        // Narrowing a search gives what a fresh one gives; widening it too.
        list.filter("k");
        list.filter("ka");
        QCOMPARE(shownNames(list), (QStringList{"Kadıköy Kaymakamlığı"}));
        list.filter("'%_");
        QCOMPARE(list.shownCount(), 0);
        list.filter("");
        QCOMPARE(list.shownCount(), 8);
    }

    void cardsComeBackExactly()
    {
        QVector<Contact> contacts;
        Contact full = contact("Gülşen Işık", "Kadıköy Belediyesi, Fen İşleri", "0216 542 50 00");
        full.title = QStringLiteral("Müdür; Başkan Yardımcısı");
        full.phone2 = QStringLiteral("0532 444 55 66");
        full.email = QStringLiteral("gulsen@kadikoy.bel.tr");
        full.address1 = QStringLiteral("Hasanpaşa Mah. No:2");
        full.address2 = QStringLiteral("34722 Kadıköy / İSTANBUL");
        full.note = QStringLiteral("Birinci satır\nİkinci satır \\ ters bölü");
        Contact office = contact({}, "Kadıköy Kaymakamlığı", "0216 414 40 00");
        office.address2 = QStringLiteral("yalnız ikinci satır");
        contacts << full << office;
        for (const vcard::Version version : {vcard::Version::V3, vcard::Version::V4}) {
            const vcard::Read back = vcard::read(vcard::write(contacts, version));
            QVERIFY2(back.problem.isEmpty(), qPrintable(back.problem));
            QCOMPARE(back.contacts.size(), 2);
            for (int i = 0; i < 2; ++i)
                QVERIFY2(back.contacts[i].sameAs(contacts[i]), qPrintable(back.contacts[i].caption()));
        }
        QVERIFY(vcard::write(contacts, vcard::Version::V4).contains("VERSION:4.0\r\n"));

        // A telephone's old export: quoted-printable letters, bare types,
        // three numbers for two fields (the third goes to the note).
        const QByteArray phone =
            "BEGIN:VCARD\r\nVERSION:2.1\r\n"
            "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=96zt=C3=BCrk;=C3=87i=C4=9Fdem;;;\r\n"
            "TEL;CELL:0532 111 22 33\r\nTEL;WORK;PREF:0216 336 11 22\r\nTEL;HOME:0216 000 00 00\r\n"
            "ADR;WORK:;;Moda Cad. 45;Kad=C4=B1k=C3=B6y;;34710;T=C3=BCrkiye\r\n"
            "END:VCARD\r\n";
        const vcard::Read old = vcard::read(phone);
        QCOMPARE(old.contacts.size(), 1);
        const Contact c = old.contacts[0];
        QCOMPARE(c.name, QStringLiteral("Çiğdem Öztürk"));
        QCOMPARE(c.phone, QStringLiteral("0216 336 11 22")); // the preferred one first
        QCOMPARE(c.phone2, QStringLiteral("0532 111 22 33"));
        QCOMPARE(c.note, QStringLiteral("Telefon: 0216 000 00 00"));
        QCOMPARE(c.address1, QStringLiteral("Moda Cad. 45"));
    }

    void aDamagedFileAddsNothing()
    {
        QTemporaryDir dir;
        auto db = Database::openFolder(dir.path());
        FakeServices s;
        AddressBookWindow window(*db, s.services);
        ContactBook book(*db);
        book.save(contact("Ahmet Yılmaz", "Belediye"));
        QVector<Contact> cards;
        for (int i = 0; i < 30; ++i)
            cards << contact(QStringLiteral("Kişi %1").arg(i));
        const QByteArray whole = vcard::write(cards, vcard::Version::V3);
        writeBytes(dir.filePath("yarim.vcf"), whole.left(whole.size() - 20));
        s.prompter.file(dir.filePath("yarim.vcf"));
        window.importCards();
        QVERIFY(s.prompter.lastText().contains("yarıda kesilmiş"));
        QCOMPARE(book.count(), 1);

        // A sound file adds its cards; one already held is listed, not doubled.
        cards << contact("Ahmet Yılmaz", "Belediye");
        writeBytes(dir.filePath("tam.vcf"), vcard::write(cards, vcard::Version::V4));
        s.prompter.file(dir.filePath("tam.vcf"));
        window.importCards();
        QCOMPARE(s.prompter.lastText(), QStringLiteral("30 kişi alındı.\n\nAlınmayanlar (1):\n- Ahmet Yılmaz: adres "
                                                       "defterinde zaten var"));
        QCOMPARE(book.count(), 31);
        window.searchBox()->setText("kişi 2");
        QCOMPARE(window.contacts().shownCount(), 12); // "Kişi 2", "Kişi 12", "Kişi 20" to "Kişi 29"
        QVERIFY(s.prompter.unexpected.isEmpty());
    }
};

ZELVAR_TEST(AddressBookTest)
#include "tst_addressbook.moc"
