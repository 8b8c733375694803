// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window's query page: the field tree, the query rules and
// their messages, the title grid, the printed columns and Clear.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "platform/fakes/FakeServices.h"
#include "query/TQSorgu.h"
#include "report/PagedReport.h"
#include "reports/QueryReportsPage.h"
#include "reports/TAdres.h"
#include "reports/TitleGrid.h"
#include "ui/PleaseWaitWindow.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBNavigator.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

void addResidents(DataFixture& f)
{
    f.addResident("Ayşe Işık", 1, {{"Sokak", "4001"}, {"EvNo", "68/5"}, {"Telefon", "555 1111"}, {"Medeni", "Evli"}});
    f.addResident("Ali Kaya", 2, {{"Sokak", "Gül"}, {"EvNo", "3"}, {"Telefon", "555 2222"}});
    f.addResident("Can Arslan", 3, {{"Sokak", "Gül"}, {"EvNo", "7"}});
}

QTreeWidgetItem* leaf(QueryReportsPage& page, const QString& name)
{
    QTreeWidgetItem* root = page.fieldTree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(0) == name)
            return root->child(i);
    return nullptr;
}

// The page, with the query list report it prints.
struct PageFixture {
    DataFixture f;
    FakeServices s;
    TQSorgu report;
    QueryReportsPage page{f.dm(), s.services};
    PageFixture()
    {
        addResidents(f);
        page.setReport(&report);
    }
    void run(const QString& columns, const QString& condition = QString())
    {
        page.columnsBox()->setText(columns);
        page.conditionBox()->setEditText(condition);
        page.query();
    }
};

} // namespace

class QueryReportsPageTest : public QObject {
    Q_OBJECT
private slots:
    void fieldTreeAndBoxes()
    {
        PageFixture p;
        QueryReportsPage& page = p.page;
        QTreeWidgetItem* root = page.fieldTree()->topLevelItem(0);
        QCOMPARE(root->text(0), QString("Zelvarx Tablosu"));
        QVERIFY(!root->isExpanded());
        QCOMPARE(root->childCount(), 34);
        QStringList leaves;
        for (int i = 0; i < root->childCount(); ++i)
            leaves << root->child(i)->text(0);
        QStringList sorted = leaves;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(leaves, sorted);
        QCOMPARE(page.fieldTree()->toolTip(), QString("Alan Seçmek İçin Çift Tıklayınız "));
        QCOMPARE(page.clearButton()->toolTip(), QString(" Tüm Alanları Temizle"));
        QCOMPARE(page.fieldTree()->focusPolicy(), Qt::ClickFocus);

        // Each name after a comma and a blank; the root and no node add nothing.
        QCOMPARE(page.columnsBox()->text(), QString("Adi"));
        page.addTreeField(leaf(page, "Sokak"));
        page.addTreeField(leaf(page, "EvNo"));
        page.addTreeField(root);
        page.addTreeField(nullptr);
        QCOMPARE(page.columnsBox()->text(), QString("Adi, Sokak, EvNo"));
        // Through the tree's own double-click signal too.
        emit page.fieldTree()->itemDoubleClicked(leaf(page, "Telefon"), 0);
        QCOMPARE(page.columnsBox()->text(), QString("Adi, Sokak, EvNo, Telefon"));

        // From an empty box the list begins with a comma, which does not run.
        page.columnsBox()->clear();
        page.addTreeField(leaf(page, "Sokak"));
        QCOMPARE(page.columnsBox()->text(), QString(", Sokak"));
        page.query();
        QCOMPARE(p.s.prompter.texts(), QStringList{"Sorgu Cümleniz Hatalı !"});

        // The condition examples, offered unchanged, the box empty at first.
        QComboBox* condition = page.conditionBox();
        QCOMPARE(condition->count(), 9);
        QCOMPARE(condition->itemText(2), QString("WHEREDogTar <\"15.09.1999\" and DogYer = \"Bornova\";"));
        QCOMPARE(condition->itemText(7),
                 QString("WHERE Medeni = \"Evli\" and DogTar  > \"01.02.1996\" and Cinsiyeti=\"Kadın\";"));
        QCOMPARE(condition->itemText(8), QString());
        QueryReportsPage fresh(p.f.dm(), p.s.services);
        QCOMPARE(fresh.conditionBox()->currentText(), QString());
        QCOMPARE(fresh.titleGrid()->columnCount(), 10);

        // The statistics window carries the page as its fourth tab.
        TAdres window(p.f.dm(), p.s.services);
        QCOMPARE(window.pages()->widget(3), static_cast<QWidget*>(window.queryReportsPage()));
        QCOMPARE(window.pages()->tabText(3), QString("&Sorgu Raporları"));
    }

    void queryRulesAndMessages()
    {
        PageFixture p;
        QueryReportsPage& page = p.page;
        auto& texts = p.s.prompter;

        p.run("");
        QCOMPARE(texts.texts(), QStringList{"Lütfen Listelenecek Alanları Seçiniz !"});
        QCOMPARE(texts.shown.last().kind, MessageKind::Warning);
        texts.clear();

        // KayitNo then Adi is accepted.
        p.run("KayitNo, Adi", "WHERE Sokak = \"Gül\"");
        QVERIFY(texts.texts().isEmpty());
        QCOMPARE(page.resultGrid()->dataSource(), p.f.dm().DataSource3);
        QCOMPARE(page.resultGrid()->model()->rowCount(), 2);
        QCOMPARE(page.fieldCountLabel()->text(), QString("Alan Sayısı = 2"));
        QCOMPARE(page.titleGrid()->columnCount(), 2);
        QCOMPARE(page.titleGrid()->fieldAt(0), QString("KayitNo"));
        QCOMPARE(page.titleGrid()->fieldAt(1), QString("Adi"));

        // Two fields without Adi: the grid lets go, the query stays open.
        page.titleGrid()->setHeadingAt(0, "Numara");
        p.run("Sokak, EvNo");
        QCOMPARE(texts.texts(), QStringList{"Lütfen SQL Cümlenizde İlk Alan Olarak \"Adi\" Alanını Seçiniz !"});
        QCOMPARE(page.resultGrid()->dataSource(), nullptr);
        QVERIFY(p.f.dm().Query7->isActive());
        QCOMPARE(page.titleGrid()->headingAt(0), QString()); // cleared before the run
        QCOMPARE(page.titleGrid()->fieldAt(0), QString());
        texts.clear();

        // One field that is not Adi, the failing example, an unknown field.
        p.run("Sokak");
        p.run("Adi", "WHEREDogTar <\"15.09.1999\" and DogYer = \"Bornova\";");
        p.run("Adi, Yok");
        QCOMPARE(texts.texts(), QStringList(3, "Sorgu Cümleniz Hatalı !"));
        QCOMPARE(texts.shown.last().kind, MessageKind::Warning);
        texts.clear();

        // Nothing found.
        p.run("Adi", "WHERE Adi = \"Mustafa\";");
        QCOMPARE(texts.texts(), QStringList{"Kayıt Bulunamadı !"});
        QCOMPARE(texts.shown.last().kind, MessageKind::Information);
        QCOMPARE(page.titleGrid()->fieldAt(0), QString("Adi"));
        texts.clear();

        // Eleven fields turn the title grid yellow and read-only; ten do not.
        const QString eleven = "Adi, Sokak, EvNo, Telefon, Medeni, Dini, Meslek, Hane, Cilt, Sayfa, CepTel";
        p.run(eleven);
        QCOMPARE(page.titleGrid()->columnCount(), 11);
        QVERIFY(!page.titleGrid()->isEditable());
        QCOMPARE(page.titleGrid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(page.titleGrid()->palette().color(QPalette::Base), QColor(255, 255, 0));
        p.run("Adi, Sokak, EvNo, Telefon, Medeni, Dini, Meslek, Hane, Cilt, Sayfa");
        QVERIFY(page.titleGrid()->isEditable());
        QVERIFY(page.titleGrid()->palette().color(QPalette::Base) != QColor(255, 255, 0));
        QVERIFY(texts.texts().isEmpty());
    }

    void longAndLargeQueriesStayInHand()
    {
        PageFixture p;
        {
            Database::Transaction tx(p.f.dm().database());
            for (int n = 10; n < 160; ++n)
                p.f.addResident(QStringLiteral("Kişi %1").arg(n), n);
            tx.commit();
        }
        auto& texts = p.s.prompter;
        Dataset* q = p.f.dm().Query7;

        // A query of minutes: the window goes on answering, the please-wait
        // window offers "İptal" after half a second, and it stops the query.
        int turns = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&turns] { ++turns; });
        tick.start(20);
        bool offered = false;
        QTimer::singleShot(1200, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* wait = qobject_cast<PleaseWaitWindow*>(w); wait && wait->isVisible()) {
                    offered = wait->cancelButton()->isVisible() && wait->isModal();
                    wait->cancelButton()->click();
                }
        });
        p.run("Adi", "WHERE (SELECT count(*) FROM zelvarx a, zelvarx b, zelvarx c, zelvarx d) > 0");
        QVERIFY(offered);
        QVERIFY2(turns >= 5, qPrintable(QString::number(turns))); // about 60 on an idle machine
        QVERIFY(texts.texts().isEmpty());                         // cancelled by the user: nothing to tell
        QVERIFY(!q->isActive());

        // A value or a result past the limits stops with a message of its own.
        p.run("Adi, randomblob(1000000000)");
        p.run("Adi, randomblob(900000)"); // 153 values of 0.9 MB each
        QCOMPARE(texts.texts(), QStringList(2, QueryReportsPage::tooLargeMessage()));
        texts.clear();

        // The navigator's Refresh runs the query again beside the window;
        // all fields come over as row numbers, read when shown.
        p.run("*", "WHERE Sokak = \"Gül\"");
        QCOMPARE(q->recordCount(), 2);
        p.f.addResident("Veli Gül", 200, {{"Sokak", "Gül"}});
        p.page.navigator()->click(DBNavigator::Refresh);
        QCOMPARE(q->recordCount(), 3);
        QCOMPARE(q->displayTextAt(2, 0), QStringLiteral("Veli Gül"));
        QVERIFY(texts.texts().isEmpty());
    }

    void printedColumnsAndTooMany()
    {
        PageFixture p;
        QueryReportsPage& page = p.page;
        p.run("Adi, Sokak, EvNo, Telefon");
        page.titleBox()->setText("Sokak Listesi");
        TitleGrid* grid = page.titleGrid();
        grid->setHeadingAt(1, "Sokağı");
        grid->setHeadingAt(2, "Ev No");
        grid->setHeadingAt(3, "Telefonu");
        p.s.printing.answerNotPrinted();
        page.preview();
        QCOMPARE(p.s.printing.requests.size(), 1);
        QVERIFY(p.s.printing.requests[0].previewed);
        QCOMPARE(p.s.printing.requests[0].title, QString("Dravenko 2000 [Sorgu Listeleri]"));
        const report::Page& printed = p.s.printing.lastReport()->page(0);
        QStringList printedTexts = printed.texts();
        // Names and the columns EvNo and Telefon; Sokak (the second column) is not printed.
        for (const char* t :
             {"Sokak Listesi", "Adı Soyadı", "Ev No", "Telefonu", "Ayşe Işık", "68/5", "555 1111", "Can Arslan", "7"})
            QVERIFY2(printedTexts.contains(t), qPrintable(t));
        QVERIFY(!printedTexts.contains("Sokağı"));
        QVERIFY(!printedTexts.contains("4001"));
        QVERIFY(!printedTexts.contains("Gül"));
        QCOMPARE(p.report.columns()[0], (QueryListColumn{"Ev No", "EvNo"}));
        QCOMPARE(p.report.columns()[1], (QueryListColumn{"Telefonu", "Telefon"}));
        QCOMPARE(p.report.columns()[2], QueryListColumn{});

        // A dragged column prints where it stands.
        grid->moveColumn(3, 2);
        p.s.printing.answerPrinted();
        page.print();
        QVERIFY(!p.s.printing.requests.last().previewed);
        QCOMPARE(p.report.columns()[0], (QueryListColumn{"Telefonu", "Telefon"}));
        QCOMPARE(p.report.columns()[1], (QueryListColumn{"Ev No", "EvNo"}));

        // Eleven fields: refused for print and preview, exported all the same.
        p.run("Adi, Sokak, EvNo, Telefon, Medeni, Dini, Meslek, Hane, Cilt, Sayfa, CepTel");
        page.print();
        page.preview();
        QCOMPARE(p.s.prompter.texts(), QStringList(2, QueryReportsPage::tooManyFieldsMessage()));
        QVERIFY(QueryReportsPage::tooManyFieldsMessage().endsWith("Deneyiniz "));
        QCOMPARE(p.s.printing.requests.size(), 2);
        QTemporaryDir dir;
        p.s.prompter.clear();
        p.s.prompter.answer(Answer::Yes);
        p.s.prompter.file(dir.filePath("sorgu.xlsx"));
        page.exportToExcel();
        QVERIFY(QFile::exists(dir.filePath("sorgu.xlsx")));
        QCOMPARE(p.s.launcher.opened, QStringList{dir.filePath("sorgu.xlsx")});
    }

    void clearKeepsTheQuery()
    {
        PageFixture p;
        QueryReportsPage& page = p.page;
        p.run("Adi, Sokak, EvNo", "WHERE Sokak = \"Gül\"");
        page.titleBox()->setText("Başlık");
        page.titleGrid()->setHeadingAt(1, "Sokağı");
        page.clear();
        QCOMPARE(page.columnsBox()->text(), QString("Adi"));
        QCOMPARE(page.conditionBox()->currentText(), QString());
        QCOMPARE(page.titleBox()->text(), QString());
        QCOMPARE(page.resultGrid()->dataSource(), nullptr);
        QCOMPARE(page.titleGrid()->columnCount(), 3);
        QCOMPARE(page.titleGrid()->fieldAt(1), QString());
        QCOMPARE(page.titleGrid()->headingAt(1), QString());
        QCOMPARE(page.fieldCountLabel()->text(), QString("Alan Sayısı = 3"));
        QVERIFY(p.f.dm().Query7->isActive());
        QCOMPARE(p.f.dm().Query7->recordCount(), 2);
        QVERIFY(p.s.prompter.texts().isEmpty());
    }
};

ZELVAR_TEST(QueryReportsPageTest)
#include "tst_queryreports.moc"
