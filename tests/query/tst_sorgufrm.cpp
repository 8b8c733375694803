// SPDX-License-Identifier: GPL-3.0-or-later
// The query window: its start, the button guard, Find's differences from
// the general reports page, and the list refusals.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "platform/fakes/FakeServices.h"
#include "query/TSorgufrm.h"
#include "report/PagedReport.h"
#include "reports/GeneralReportsPage.h"
#include "reports/ListReports.h"
#include "reports/ListingControls.h"
#include "reports/NameListColumns.h"
#include "reports/TAdres.h"
#include "ui/bound/DBGrid.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

void addRegister(DataFixture& f)
{
    f.addResident("Can Arslan", 1, {{"Sokak", "4001"}});
    f.addResident("Ayşe Yılmaz", 2, {{"Sokak", "4001/2"}});
    f.addResident("Veli Kaya", 3, {{"Sokak", "Gül"}});
    f.dm().Query2->refresh();
}

void setFotobasOff(DataFixture& f)
{
    f.dm().database().exec("insert into Mahalle (Il, Ilce, Mahalle, Zelvar, Fotobas) values ('İzmir', 'Bornova', "
                           "'Kazımdirik', 'Hasan Çelik', '0')");
    f.dm().tbMah->close();
    f.dm().tbMah->open();
    QImage image(8, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    f.dm().database().exec("insert into Foto (Kayitno, Foto) values (1, ?)", {bytes});
}

int pictures(const report::Page& page)
{
    int n = 0;
    for (const report::PlacedItem& item : page.items)
        n += item.kind == report::ItemKind::Picture;
    return n;
}

double leftOf(const report::Page& page, const QString& text)
{
    const report::PlacedItem* item = page.findText(text);
    return item ? item->rect.left() - 12.7 : -1;
}

bool listButtonsEnabled(const TSorgufrm& w)
{
    return w.nameListButton()->isEnabled() && w.detailedListButton()->isEnabled() && w.labelsButton()->isEnabled();
}

bool listButtonsDisabled(const TSorgufrm& w)
{
    return !w.nameListButton()->isEnabled() && !w.detailedListButton()->isEnabled() && !w.labelsButton()->isEnabled();
}

} // namespace

class SorgufrmTest : public QObject {
    Q_OBJECT
private slots:
    void startsAfresh()
    {
        DataFixture f;
        FakeServices s;
        TSorgufrm w(f.dm(), s.services);
        QCOMPARE(w.windowTitle(), QString("Bilgi Sorgu ve Listeleme"));
        QVERIFY(w.isModal());
        QCOMPARE(w.size(), QSize(520, 324));
        ListingControls* l = w.listing();
        QCOMPARE(l->totalLabel()->text(), QString("Toplam Alan Uzunluğu = 175"));
        QCOMPARE(l->countLabel()->text(), QString());
        // The grid shows the listing query from the start.
        QCOMPARE(l->grid()->dataSource(), f.dm().ds2);
        QVERIFY(w.findButton()->text() == "&Bul" && w.closeButton()->text() == "&Kapat");
    }

    void buttonGuardFollowsWhetherQuery1IsOpen()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TSorgufrm w(f.dm(), s.services);
        QCOMPARE(w.buttonGuard()->interval(), 300);
        QVERIFY(w.buttonGuard()->isActive());
        QVERIFY(listButtonsDisabled(w));

        // Find never sets the buttons itself; the next tick does.
        w.listing()->wordBox()->setText("Yok Böyle");
        w.find();
        QVERIFY(listButtonsDisabled(w));
        QTRY_VERIFY_WITH_TIMEOUT(listButtonsEnabled(w), 1000);

        // After a Find without result the list buttons stay enabled and
        // say there is nothing to list.
        QCOMPARE(s.prompter.texts(), QStringList{"Kayıt Bulunamadı !"});
        s.prompter.clear();
        w.nameListButton()->click();
        w.detailedListButton()->click();
        w.labelsButton()->click();
        QCOMPARE(s.prompter.texts(), QStringList(3, "Listelenecek Herhangi Bir Bilgi Yok !"));

        // A closed Query1 disables them again.
        f.dm().Query1->close();
        QTRY_VERIFY_WITH_TIMEOUT(listButtonsDisabled(w), 1000);
    }

    void findColoursInTooltipColourAndAllInWindowColour()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TSorgufrm w(f.dm(), s.services);
        ListingControls* l = w.listing();
        l->setSearchKind(2); // Sokak
        l->wordBox()->setText("4001");
        QTest::keyClick(l->wordBox(), Qt::Key_Return);
        QCOMPARE(f.dm().Query1->recordCount(), 1);
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 1"));
        QCOMPARE(l->grid()->palette().color(QPalette::Base), w.palette().color(QPalette::ToolTipBase));
        QCOMPARE(f.dm().Query2->value("KayitNo").toInt(), 1);

        w.allButton()->click();
        QCOMPARE(l->countLabel()->text(), QString("Kayıt Sayısı = 3"));
        QCOMPARE(l->grid()->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
    }

    void sixColumnsAreRefused()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TSorgufrm w(f.dm(), s.services);
        ListingControls* l = w.listing();
        for (int c = 0; c < 6; ++c)
            l->columnBox(c)->click();
        QCOMPARE(l->totalLabel()->text(), QString("Alan Uzunluğu = 625"));
        QCOMPARE(l->totalLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        w.all();
        w.nameList();
        QCOMPARE(s.prompter.texts(), QStringList{"Seçtiğiniz Alanlar Kağıda Sığmaz. Lütfen Azaltınız!"});
        QCOMPARE(s.sound.events, QStringList{"beep"});
    }

    void detailedListAlwaysPrintsPhotographs()
    {
        DataFixture f;
        addRegister(f);
        setFotobasOff(f);
        FakeServices s;
        TSorgufrm w(f.dm(), s.services);
        w.listing()->wordBox()->setText("Arslan");
        w.find();
        w.detailedList();
        QCOMPARE(s.printing.titles(), QStringList{"Zelvar 2001 [Mahalle Ayrıntılı Bilgi Listesi]"});
        QCOMPARE(pictures(s.printing.lastReport()->page(0)), 1);
        QCOMPARE(s.printing.lastReport()->page(0).rowCount, 1);
        // After the preview the grid lists everyone.
        QCOMPARE(f.dm().Query1->recordCount(), 3);
        QCOMPARE(w.listing()->countLabel()->text(), QString("Kayıt Sayısı = 3"));

        w.labels();
        QCOMPARE(s.printing.lastReport()->page(0).rowCount, 3);
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void bothWindowsListOneAfterTheOther()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        ListReports reports;
        TAdres statistics(f.dm(), s.services, reports);
        GeneralReportsPage* page = statistics.generalReportsPage();
        page->listing()->columnBox(0)->click(); // Baba Adı
        page->all();
        page->nameList();
        QCOMPARE(leftOf(s.printing.lastReport()->page(0), "Baba Adı"), reportPixelsToMm(186));
        const auto startUpColumns = reports.list.columns();

        {
            TSorgufrm query(f.dm(), s.services);
            query.listing()->columnBox(7)->click(); // Telefon
            query.all();
            query.nameList();
            const report::Page& names = s.printing.lastReport()->page(0);
            QCOMPARE(leftOf(names, "Telefon"), reportPixelsToMm(186));
            QVERIFY(!names.findText("Baba Adı"));
            QCOMPARE(names.rowCount, 3);
        }
        // The start-up instance is as the statistics window left it.
        for (int c = 0; c < kOptionalColumnCount; ++c) {
            QCOMPARE(reports.list.columns()[c].left, startUpColumns[c].left);
            QCOMPARE(reports.list.columns()[c].field, startUpColumns[c].field);
        }
        page->nameList();
        const report::Page& again = s.printing.lastReport()->page(0);
        QCOMPARE(leftOf(again, "Baba Adı"), reportPixelsToMm(186));
        QVERIFY(!again.findText("Telefon"));
        QCOMPARE(s.printing.requests.size(), 3);
    }
};

ZELVAR_TEST(SorgufrmTest)
#include "tst_sorgufrm.moc"
