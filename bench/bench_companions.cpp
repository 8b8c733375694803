// SPDX-License-Identifier: GPL-3.0-or-later
// The companion programs: the diary opened on a table of 100,000
// appointments (window built, the month marked, the day listed, shown and
// painted); each keystroke of the address book's search over 50,000
// contacts, painted; a 10,000-event .ics and a 10,000-card .vcf imported.
// Floors, alternated with our runs: the sqlite3 shell running the
// statements the diary runs on the same file; the shell finding the same
// contacts with its own LIKE; the shell inserting the same rows in one
// transaction.
//   bench_companions [appointments] [contacts]
#include "BenchSupport.h"
#include "SilentServices.h"
#include "companions/addressbook/AddressBookWindow.h"
#include "companions/addressbook/ContactBook.h"
#include "companions/addressbook/VCardFile.h"
#include "companions/diary/AppointmentBook.h"
#include "companions/diary/DiaryWindow.h"
#include "companions/diary/IcsFile.h"
#include "data/Database.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

const char* const kFirst[] = {"Ahmet",  "Mehmet", "Ayşe", "Fatma",  "Şükrü",   "İsmail", "Işıl", "Çiğdem",
                              "Gülşen", "Ömer",   "Ümit", "Zeynep", "Hüseyin", "Emine",  "Ali",  "Özge"};
const char* const kLast[] = {"Yılmaz", "Demir",  "Çelik", "Şahin",  "Öztürk", "Aydın",   "Kaya", "Işık",
                             "Doğan",  "Arslan", "Güneş", "Çağlar", "Kılıç",  "Erdoğan", "Uçar", "Koç"};
const char* const kPlaces[] = {"Belediyesi", "Kaymakamlığı", "İlkokulu", "Sağlık Ocağı",
                               "Nalburu",    "Fırını",       "Eczanesi", "Muhtarlığı"};

QString someone(QRandomGenerator& r)
{
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kFirst[r.bounded(16)]),
                                       QString::fromUtf8(kLast[r.bounded(16)]));
}

QVector<Appointment> appointments(int count, const QDate& from, QRandomGenerator& r)
{
    QVector<Appointment> list;
    list.reserve(count);
    // Twenty half hours a day, from 08:00, each taken or not.
    for (QDate day = from; list.size() < count; day = day.addDays(1)) {
        for (int slot = 0; slot < 20 && list.size() < count; ++slot) {
            if (r.bounded(3) == 0)
                continue;
            Appointment a;
            a.date = day;
            a.start = QTime(8, 0).addSecs(slot * 1800).toString("hh:mm");
            a.name = someone(r);
            a.subject = QStringLiteral("İkametgah belgesi");
            a.phone = QStringLiteral("0532 %1").arg(r.bounded(1000000, 9999999));
            a.note = QStringLiteral("Nüfus cüzdanını getirecek.");
            list << a;
        }
    }
    return list;
}

QVector<Contact> contacts(int count, QRandomGenerator& r)
{
    QVector<Contact> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        Contact c;
        c.name = someone(r);
        c.institution = QStringLiteral("%1 %2").arg(QString::fromUtf8(kLast[r.bounded(16)]),
                                                    QString::fromUtf8(kPlaces[r.bounded(8)]));
        c.title = QStringLiteral("Müdür");
        c.phone =
            QStringLiteral("0216 %1 %2 %3").arg(r.bounded(100, 999)).arg(r.bounded(10, 99)).arg(r.bounded(10, 99));
        c.address1 = QStringLiteral("Moda Cad. No %1").arg(i);
        list << c;
    }
    return list;
}

QString quoted(const QString& text)
{
    return literal(text);
}

// The rows as the shell inserts them, in one transaction.
QStringList appointmentInserts(const QVector<Appointment>& list)
{
    QStringList sql{QStringLiteral("BEGIN")};
    for (const Appointment& a : list)
        sql << QStringLiteral(
                   "insert into Randevu (Tarih, Saati, Adi, Konu, Telefon, \"Not\") values (%1, %2, %3, %4, %5, %6)")
                   .arg(quoted(a.date.toString(Qt::ISODate)), quoted(a.start), quoted(a.name), quoted(a.subject),
                        quoted(a.phone), quoted(a.note));
    sql << QStringLiteral("COMMIT");
    return sql;
}

QStringList contactInserts(const QVector<Contact>& list)
{
    QStringList sql{QStringLiteral("BEGIN")};
    for (const Contact& c : list)
        sql << QStringLiteral("insert into Adresler (Adi, Kurum, Unvan, Telefon, Adres1) values (%1, %2, %3, %4, %5)")
                   .arg(quoted(c.name), quoted(c.institution), quoted(c.title), quoted(c.phone), quoted(c.address1));
    sql << QStringLiteral("COMMIT");
    return sql;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    const int appointmentCount = argc > 1 ? atoi(argv[1]) : 100000;
    const int contactCount = argc > 2 ? atoi(argv[2]) : 50000;
    SilentServices silent;
    QRandomGenerator random(2001);
    QTemporaryDir work;
    const QString file = databaseFile(work.path());
    auto db = Database::openFolder(work.path());
    const QDate today = QDate::currentDate();

    // --- the diary opened on a full table, on today's month
    {
        AppointmentBook(*db).addAll(appointments(appointmentCount, today.addDays(-appointmentCount / 13), random));
        db->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        const QString iso = today.toString(Qt::ISODate);
        const QString first = QDate(today.year(), today.month(), 1).toString(Qt::ISODate);
        const QString last = QDate(today.year(), today.month(), 1).addMonths(1).addDays(-1).toString(Qt::ISODate);
        Samples ours;
        Samples floor;
        for (int run = 0; run < 9; ++run) {
            std::unique_ptr<DiaryWindow> window;
            ours.add(measure([&] {
                window = std::make_unique<DiaryWindow>(*db, silent.services);
                window->showToday();
                window->show();
                window->repaint();
                QApplication::processEvents();
            }));
            window.reset();
            floor.add(
                shell(file, {QStringLiteral("select distinct Tarih from Randevu where Tarih between '%1' and '%2' "
                                            "order by Tarih")
                                 .arg(first, last),
                             QStringLiteral("select * from Randevu where Tarih = '%1' order by Tarih, Saati").arg(iso)})
                    .total());
        }
        runRow(QStringLiteral("diary opened, month shown"), appointmentCount, ours, floor, Goal::ms(300));
    }

    // --- the address book's search, one keystroke, painted
    {
        ContactBook(*db).addAll(contacts(contactCount, random));
        db->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        AddressBookWindow window(*db, silent.services);
        window.show();
        window.repaint();
        QApplication::processEvents();
        Samples ours;
        QStringList statements;
        for (const QString& word : {QStringLiteral("ahmet yılmaz"), QStringLiteral("şükrü"), QStringLiteral("ışık"),
                                    QStringLiteral("belediye"), QStringLiteral("0216 5"), QStringLiteral("zzz")}) {
            window.searchBox()->clear();
            QApplication::processEvents();
            for (int i = 1; i <= word.size(); ++i) {
                ours.add(measure([&] {
                    window.searchBox()->setText(word.left(i));
                    window.table()->viewport()->repaint();
                    QApplication::processEvents();
                }));
                const QString like = literal(QLatin1Char('%') + word.left(i) + QLatin1Char('%'));
                statements << QStringLiteral("select Sira, Adi, Kurum, Unvan, Telefon from Adresler where Adi like %1 "
                                             "or Kurum like %1 or Unvan like %1 or Telefon like %1 order by Adi")
                                  .arg(like);
            }
        }
        quantileRow(QStringLiteral("address book search, one keystroke"), contactCount, ours, shell(file, statements),
                    Goal::ms(10));
    }

    // --- imports of 10,000 events and 10,000 cards, into empty tables
    {
        const QVector<Appointment> events = appointments(10000, today.addYears(5), random);
        const QString icsFile = QDir(work.path()).filePath(QStringLiteral("randevular.ics"));
        writeFile(icsFile, ics::write(events, QDateTime::currentDateTime()));
        const QVector<Contact> cards = contacts(10000, random);
        const QString vcfFile = QDir(work.path()).filePath(QStringLiteral("kisiler.vcf"));
        writeFile(vcfFile, vcard::write(cards, vcard::Version::V3));
        const QStringList eventRows = appointmentInserts(events);
        const QStringList cardRows = contactInserts(cards);
        Samples icsOurs, icsFloor, vcfOurs, vcfFloor;
        for (int run = 0; run < 3; ++run) {
            db->exec(QStringLiteral("delete from Randevu"));
            db->exec(QStringLiteral("delete from Adresler"));
            icsOurs.add(measure([&] { AppointmentBook(*db).addAll(ics::readFile(icsFile).appointments); }));
            vcfOurs.add(measure([&] { ContactBook(*db).addAll(vcard::readFile(vcfFile).contacts); }));
            db->exec(QStringLiteral("delete from Randevu"));
            db->exec(QStringLiteral("delete from Adresler"));
            icsFloor.add(shell(file, eventRows).total());
            vcfFloor.add(shell(file, cardRows).total());
        }
        runRow(QStringLiteral("import of an .ics of 10,000 events"), 10000, icsOurs, icsFloor, Goal::ms(2000));
        runRow(QStringLiteral("import of a .vcf of 10,000 cards"), 10000, vcfOurs, vcfFloor, Goal::ms(2000));
    }
    return 0;
}
