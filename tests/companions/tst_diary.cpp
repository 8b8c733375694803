// SPDX-License-Identifier: GPL-3.0-or-later
// The diary: its rules on the appointment table (the key, the times, the
// half hours), iCalendar files in and out, and its window as the reminder
// opens it.
#include "TestFiles.h"
#include "TestRegistry.h"
#include "companions/diary/AppointmentBook.h"
#include "companions/diary/AppointmentDialog.h"
#include "companions/diary/AppointmentTime.h"
#include "companions/diary/DiaryWindow.h"
#include "companions/diary/IcsFile.h"
#include "data/Database.h"
#include "platform/CompanionArguments.h"
#include "platform/fakes/FakeServices.h"
#include "report/PagedReport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace zelvar;
using zelvar::testing::writeBytes;

namespace {

const QDate kDay(2026, 12, 9);

Appointment appointment(const QString& start, const QString& name, const QDate& day = kDay)
{
    Appointment a;
    a.date = day;
    a.start = start;
    a.name = name;
    return a;
}

// The refusal's message, or empty when the call went through.
QString refusal(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Refused& r) {
        return r.message();
    }
    return QString();
}

QString pageText(report::PagedReport& report)
{
    QString text;
    for (int i = 0; i < report.pageCount(); ++i)
        for (const report::PlacedItem& item : report.page(i).items)
            text += item.text + QLatin1Char('\n');
    return text;
}

} // namespace

class DiaryTest : public QObject {
    Q_OBJECT
private slots:
    void appointmentsKeepTheirKeyAndTheirTimes()
    {
        auto db = Database::openInMemory();
        AppointmentBook book(*db);
        book.save(appointment("9:30", "Ayşe Demir")); // an hour of one digit is written out
        QCOMPARE(book.find({kDay, "09:30"})->name, QStringLiteral("Ayşe Demir"));

        // The key: a second appointment on the same day and start is refused.
        QCOMPARE(refusal([&] { book.save(appointment("09:30", "Mehmet Yılmaz")); }),
                 AppointmentBook::clashMessage({kDay, "09:30"}));
        book.save(appointment("10:00", "Mehmet Yılmaz"));
        Appointment moved = appointment("09:30", "Mehmet Yılmaz");
        QCOMPARE(refusal([&] {
                     book.save(moved, AppointmentKey{kDay, "10:00"});
                 }),
                 AppointmentBook::clashMessage({kDay, "09:30"}));
        // Changed under its own key, or moved to a free time, it is written.
        Appointment changed = appointment("09:30", "Ayşe Demir");
        changed.subject = QStringLiteral("İkametgah");
        QCOMPARE(refusal([&] { book.save(changed, changed.key()); }), QString());
        moved.start = QStringLiteral("11:00");
        QCOMPARE(refusal([&] { book.save(moved, AppointmentKey{kDay, "10:00"}); }), QString());
        QCOMPARE(book.onDay(kDay).size(), 2);
        QCOMPARE(book.onDay(kDay).at(0).subject, QStringLiteral("İkametgah"));
        QVERIFY(!book.find({kDay, "10:00"}));

        // Times that are no times, and a day that is not whole.
        QVERIFY(refusal([&] { book.save(appointment("25:00", "x")); }).contains("Böyle bir saat yok: 25:00"));
        QVERIFY(refusal([&] { book.save(appointment("9:5", "x")); }).contains("iki rakamla"));
        Appointment badEnd = appointment("12:00", "x");
        badEnd.end = QStringLiteral("12.30");
        QVERIFY(refusal([&] { book.save(badEnd); }).startsWith("Bitiş saati: "));
        QCOMPARE(refusal([&] { book.save(appointment("12:00", "x", QDate())); }),
                 QStringLiteral("Lütfen Tarihleri Eksiksiz Giriniz !"));
        QCOMPARE(book.count(), 2);

        // Off the half hour: kept, but the bell will not ring for it.
        book.save(appointment("14:15", QString(40, QChar(u'Ş'))));
        QVERIFY(!appointmenttime::ringsAt("14:15") && appointmenttime::ringsAt("14:30"));
        QCOMPARE(book.find({kDay, "14:15"})->name, QString(30, QChar(u'Ş'))); // cut to the field's 30
        QCOMPARE(book.markedDays(2026, 12), QList<QDate>{kDay});
        QVERIFY(book.markedDays(2026, 11).isEmpty());
    }

    void calendarFilesComeBackExactly()
    {
        QVector<Appointment> list;
        Appointment a = appointment("09:30", QStringLiteral("Gülşen Işık, Çağlar; İnce"));
        a.end = QStringLiteral("10:15");
        a.subject = QStringLiteral("Nüfus cüzdanı \\ ikametgâh");
        a.phone = QStringLiteral("0532 111 22 33");
        a.phone2 = QStringLiteral("(0216) 444-55-66");
        a.address1 = QStringLiteral("Moda Cad. No:12/3");
        a.address2 = QStringLiteral("Kadıköy / İSTANBUL");
        a.note = QStringLiteral("Birinci satır: ÖĞÜŞÇİ öğüşçı\nİkinci satır, noktalı; virgüllü ") + QString(90, 'x');
        list << a << appointment("14:00", QString(), kDay.addDays(31));
        const QByteArray file = ics::write(list, QDateTime(kDay, QTime(8, 0)));
        for (const QByteArray& line : file.split('\n'))
            QVERIFY2(line.size() <= 76, line.constData()); // folded at 75 bytes and a CR

        const ics::Read back = ics::read(file);
        QVERIFY2(back.problem.isEmpty(), qPrintable(back.problem));
        QCOMPARE(back.skipped, QStringList());
        QCOMPARE(back.appointments.size(), 2);
        QVERIFY(back.appointments[0] == a);
        QVERIFY(back.appointments[1] == list[1]);

        // Another calendar's events: a named zone and UTC become local
        // times; what the table cannot hold is listed, not guessed.
        const QByteArray other =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
            "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Istanbul:20261210T093000\r\n"
            "DURATION:PT45M\r\nSUMMARY:Toplant\xc4\xb1\r\nLOCATION:Belediye\\nKat 2\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nDTSTART:20261210T120000Z\r\nSUMMARY:UTC\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261211\r\nSUMMARY:Bayram\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nDTSTART:20261212T100000\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Her hafta\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n";
        const ics::Read read = ics::read(other);
        QCOMPARE(read.appointments.size(), 2);
        const QDateTime istanbul =
            QDateTime(QDate(2026, 12, 10), QTime(9, 30), QTimeZone("Europe/Istanbul")).toLocalTime();
        QCOMPARE(read.appointments[0].start, istanbul.toString("hh:mm"));
        QCOMPARE(read.appointments[0].end, istanbul.addSecs(qint64{45} * 60).toString("hh:mm"));
        QCOMPARE(read.appointments[0].subject, QStringLiteral("Toplantı"));
        QCOMPARE(read.appointments[0].address2, QStringLiteral("Kat 2"));
        QCOMPARE(read.appointments[1].start,
                 QDateTime(QDate(2026, 12, 10), QTime(12, 0), QTimeZone::utc()).toLocalTime().toString("hh:mm"));
        QCOMPARE(read.skipped.size(), 2);
        QVERIFY(read.skipped[0].startsWith("11.12.2026 Bayram: bütün gün"));
        QVERIFY(read.skipped[1].contains("tekrarlanan"));
    }

    void aFileThatIsNotWholeAddsNothing()
    {
        QTemporaryDir dir;
        auto db = Database::openFolder(dir.path());
        AppointmentBook book(*db);
        book.save(appointment("10:00", "Kayıtlı"));
        FakeServices s;
        DiaryWindow window(*db, s.services);
        window.showDay(kDay);

        QVector<Appointment> many;
        for (int i = 0; i < 40; ++i)
            many << appointment(QTime(8, 0).addSecs(i * 900).toString("hh:mm"), QStringLiteral("Kişi %1").arg(i));
        const QByteArray whole = ics::write(many, QDateTime(kDay, QTime(8, 0)));
        const QString cut = dir.filePath("yarim.ics");
        const QString binary = dir.filePath("resim.ics");
        const QString huge = dir.filePath("buyuk.ics");
        writeBytes(cut, whole.left(whole.size() / 2));
        writeBytes(binary, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        QFile big(huge);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(50LL * 1024 * 1024));
        big.close();
        for (const auto& [path, why] : {std::pair{cut, "yarıda kesilmiş"}, std::pair{binary, "ikili bir dosya"},
                                        std::pair{huge, "Dosya çok büyük (50 MB)"}}) {
            s.prompter.file(path);
            window.importCalendar();
            QVERIFY2(s.prompter.lastText().contains(QString::fromUtf8(why)), qPrintable(s.prompter.lastText()));
            QVERIFY(s.prompter.lastText().endsWith("Hiçbir randevu alınmadı."));
            QCOMPARE(book.count(), 1);
        }

        // A sound file whose one event meets a stored appointment: the rest
        // are added, the clash is listed.
        const QString sound = dir.filePath("tam.ics");
        writeBytes(sound, whole);
        s.prompter.file(sound);
        window.importCalendar();
        QVERIFY(s.prompter.lastText().startsWith("39 randevu alındı.\n\nAlınmayanlar (1):\n- 09.12.2026 10:00 Kişi 8: "
                                                 "bu gün ve saatte başka bir randevu var"));
        QCOMPARE(book.count(), 40);
        QCOMPARE(window.markedDays(), QList<QDate>{kDay});

        // A failure half way (here a refusing trigger) leaves none of them.
        db->exec("create trigger refuse before insert on \"Randevu\" when new.\"Adi\" = 'Kişi 30' "
                 "begin select raise(abort, 'disk'); end");
        QVector<Appointment> tomorrow;
        for (const Appointment& a : many)
            tomorrow << appointment(a.start, a.name, kDay.addDays(1));
        QVERIFY_THROWS_EXCEPTION(EngineError, book.addAll(tomorrow));
        QCOMPARE(book.count(), 40);
        QVERIFY(s.prompter.unexpected.isEmpty());
    }

    void theWindowOpensOnTheAppointmentThatRang()
    {
        auto db = Database::openInMemory();
        AppointmentBook book(*db);
        Appointment rang = appointment("11:00", "Mehmet Yılmaz");
        rang.address1 = QStringLiteral("Belediye Binası");
        for (const Appointment& a : {appointment("09:30", "Ayşe Demir"), rang, appointment("14:15", "Ali Veli")})
            book.save(a);
        FakeServices s;
        s.clock.set(QDateTime(QDate(2027, 1, 5), QTime(16, 40)));
        DiaryWindow window(*db, s.services);
        const CommandLine commandLine(QStringList{"zelvar-takvim"} +
                                          companionargs::forAppointment("/srv/veri", kDay, "11:00"),
                                      QLocale(QLocale::Turkish), DiaryWindow::info().description);
        window.openAt(commandLine);
        QCOMPARE(window.shownDay(), kDay);
        QCOMPARE(window.selected()->name, QStringLiteral("Mehmet Yılmaz"));
        QVERIFY(window.detailsText().contains("Adres: Belediye Binası"));
        QCOMPARE(window.markedDays(), QList<QDate>{kDay});
        // Started again without a day: today.
        window.startedAgain({});
        QCOMPARE(window.shownDay(), QDate(2027, 1, 5));

        // A new appointment from the dialog: the next half hour is offered;
        // a time off the half hours is kept with the note shown.
        bool noteShown = false;
        window.setDialogRunner([&](AppointmentDialog& dialog) {
            if (dialog.startBox()->currentText() != "17:00")
                return false;
            dialog.startBox()->setEditText("17:10");
            noteShown = dialog.bellNoteShown();
            dialog.field("Adi")->setText("Zeynep Kaya");
            return dialog.save();
        });
        window.newAppointment();
        QVERIFY(noteShown);
        QCOMPARE(window.selected()->start, QStringLiteral("17:10"));
        QVERIFY(window.detailsText().contains(appointmenttime::noBellNote()));

        window.showDay(kDay);
        window.printWeek();
        QCOMPARE(s.printing.titles(), QStringList{QStringLiteral("Takvim ve Randevu [Haftalık Randevu Listesi]")});
        const QString printed = pageText(*s.printing.lastReport());
        QVERIFY(printed.contains("7 Aralık 2026 - 13 Aralık 2026"));
        QVERIFY(printed.indexOf("09:30") < printed.indexOf("11:00") && printed.contains("Adres: Belediye Binası"));
        QVERIFY(s.prompter.unexpected.isEmpty());
    }
};

ZELVAR_TEST(DiaryTest)
#include "tst_diary.moc"
