// SPDX-License-Identifier: GPL-3.0-or-later
// The grid over a dataset: row shading, the current row both ways, cell
// editing, and a register of 100,000 residents.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "ui/bound/DBGrid.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSet>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

// Notes which rows the view asked for.
class CountingModel : public DatasetTableModel {
public:
    using DatasetTableModel::DatasetTableModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole)
            rowsRead.insert(index.row());
        return DatasetTableModel::data(index, role);
    }
    mutable QSet<int> rowsRead;
};

QColor cellColor(DBGrid& grid, const QImage& shot, int row, int column)
{
    const QRect cell = grid.visualRect(grid.model()->index(row, column));
    const QPoint inViewport = cell.topLeft() + QPoint(3, cell.height() - 3);
    return shot.pixelColor(grid.viewport()->mapTo(&grid, inViewport));
}

} // namespace

class DBGridTest : public QObject {
    Q_OBJECT
private slots:
    void rowsAreShadedByTheirNumber()
    {
        DataFixture f;
        for (int i = 1; i <= 5; ++i)
            f.addResident(QStringLiteral("Kişi %1").arg(i), i);
        f.dm().Query2->refresh();
        const QColor maroon(128, 0, 0);
        DBGrid grid(f.dm().DataSource1,
                    {{"KayitNo", "Kayıt No", 60, true, Qt::AlignCenter, maroon}, {"Adi", "Adı Soyadı", 170}});
        grid.setRowIndicator(true);
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QString("Kayıt No"));
        QCOMPARE(grid.columnWidth(1), 170);
        QCOMPARE(grid.currentIndex().row(), 0); // row 1 is current and selected

        const QColor window = grid.palette().color(QPalette::Base);
        const QImage shot = grid.grab().toImage();
        for (int row = 0; row < 5; ++row) {
            const QColor expected = (row + 1) % 2 == 0 ? DBGrid::lavender() : window;
            for (int column = 0; column < 2; ++column)
                QCOMPARE(cellColor(grid, shot, row, column), expected);
        }

        // Without shading the cells take the column's and the grid's colours.
        grid.setRowShading({});
        grid.setColors(QColor(0, 0, 64), Qt::white);
        const QImage plain = grid.grab().toImage();
        QCOMPARE(cellColor(grid, plain, 1, 0), maroon);
        QCOMPARE(cellColor(grid, plain, 1, 1), QColor(0, 0, 64));
        QCOMPARE(grid.cellTextColor(grid.model()->index(1, 1)), QColor(Qt::white));
    }

    void currentRowFollowsBothWaysAndCellsEdit()
    {
        DataFixture f;
        for (int i = 1; i <= 5; ++i)
            f.addResident(QStringLiteral("Kişi %1").arg(i), i);
        Dataset* q = f.dm().Query2;
        q->refresh();
        DBGrid grid(f.dm().DataSource1, {{"KayitNo", "Kayıt No", 60, true}, {"Adi", "", 170}});
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("Adi")); // title from the field

        q->moveTo(3);
        QCOMPARE(grid.currentIndex().row(), 3);
        const QRect second = grid.visualRect(grid.model()->index(1, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(q->recNo(), 1);
        QCOMPARE(q->displayText("Adi"), QString("Kişi 2"));

        // Editing a cell puts the row into editing; the record number column is read-only.
        QVERIFY(!(grid.model()->flags(grid.model()->index(1, 0)) & Qt::ItemIsEditable));
        grid.edit(grid.model()->index(1, 1));
        auto* editor = grid.findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->maxLength(), 25);
        editor->selectAll();
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString("Ayşe Yılmaz"), Qt::NoModifier);
        QCOMPARE(q->state(), Dataset::State::Edit);
        QCOMPARE(editor->text(), QString("Ayşe Yılmaz"));
        // Saving the row writes the open cell first.
        q->post();
        QCOMPARE(f.dm().database().scalar("select Adi from zelvarx where KayitNo=2").toString(),
                 QString("Ayşe Yılmaz"));

        // A new row shows in the grid and goes when it is dropped.
        q->insert();
        QCOMPARE(grid.model()->rowCount(), 6);
        QCOMPARE(grid.currentIndex().row(), q->recNo());
        q->cancel();
        QCOMPARE(grid.model()->rowCount(), 5);
        QCOMPARE(grid.currentIndex().row(), q->recNo());

        // A read-only grid does not edit.
        grid.setReadOnly(true);
        QVERIFY(!(grid.model()->flags(grid.model()->index(2, 1)) & Qt::ItemIsEditable));
        q->close();
        QCOMPARE(grid.model()->rowCount(), 0);
    }

    void hiddenGridShowsTheCurrentRowWhenShown()
    {
        DataFixture f;
        for (int i = 1; i <= 200; ++i)
            f.addResident(QStringLiteral("Kişi %1").arg(i), i);
        f.dm().Query2->refresh();
        DBGrid grid(f.dm().DataSource1, {{"KayitNo", "Kayıt No", 60}, {"Adi", "Adı Soyadı", 170}});
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setRowIndicator(true);
        QPointer<QHeaderView> shownHeader = grid.verticalHeader();
        grid.hide();
        // Once the hide is over the header that stood over the rows is
        // replaced, and its room for every row goes with it; the row
        // indicator stays as it was.
        QCoreApplication::processEvents();
        QVERIFY(shownHeader.isNull());
        QVERIFY(!grid.verticalHeader()->isHidden());
        // Moved while hidden: the grid marks the row, and scrolls to it when
        // it is shown again.
        f.dm().Query2->moveTo(180);
        QCOMPARE(grid.currentIndex().row(), 180);
        // Hidden, its row header keeps nothing per row; a row added then is
        // in the grid once shown.
        QCOMPARE(grid.verticalHeader()->count(), 0);
        f.dm().Query2->insert();
        f.dm().Query2->setValue("KayitNo", 201);
        f.dm().Query2->setValue("Adi", "Kişi 201");
        f.dm().Query2->post();
        QCOMPARE(grid.model()->rowCount(), 201);
        f.dm().Query2->moveTo(180);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.verticalHeader()->count(), 201);
        QCOMPARE(grid.verticalHeader()->selectionModel(), grid.selectionModel());
        const QRect cell = grid.visualRect(grid.currentIndex());
        QVERIFY(grid.viewport()->rect().contains(cell.center()));
        QCOMPARE(grid.indexAt(cell.center()).row(), 180);
        // While shown it follows at once.
        f.dm().Query2->moveTo(3);
        QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex()).center()));
    }

    void modelAnnouncesEveryChangeInQtsOrder()
    {
        DataFixture f;
        for (int i = 1; i <= 6; ++i)
            f.addResident(QStringLiteral("Kişi %1").arg(i), i);
        f.dm().database().exec("insert into \"Foto\" (Kayitno) values (2), (2), (3)");
        Dataset* q = f.dm().Query2;
        q->refresh();
        DatasetTableModel residents(q);
        residents.setColumns({{"KayitNo", "", 0}, {"Adi", "", 0}});
        DatasetTableModel photos(f.dm().tbfoto);
        // The tester fails the test on any signal out of Qt's order, e.g. a
        // row removal announced after the row has gone.
        QAbstractItemModelTester check1(&residents, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester check2(&photos, QAbstractItemModelTester::FailureReportingMode::QtTest);

        q->moveTo(2);
        q->insert();
        q->setValue("Adi", "Yeni Kişi");
        q->setValue("KayitNo", 7);
        q->post();
        QCOMPARE(residents.rowCount(), 7);
        q->moveTo(4);
        q->insert();
        q->cancel(); // the pending row goes
        QCOMPARE(residents.rowCount(), 7);
        QCOMPARE(q->recNo(), 4);
        q->moveTo(3);
        q->remove();
        QCOMPARE(residents.rowCount(), 6);
        QCOMPARE(residents.data(residents.index(3, 1)).toString(), q->displayTextAt(3, q->fieldIndex("Adi")));
        q->last();
        q->remove(); // the last row
        q->refresh();
        q->locate("KayitNo", 2); // photos follow the resident
        QCOMPARE(photos.rowCount(), 2);
        q->locate("KayitNo", 1);
        QCOMPARE(photos.rowCount(), 0);
        q->close();
        QCOMPARE(residents.rowCount(), 0);
        q->open();
        QCOMPARE(residents.rowCount(), 5);
        f.dm().tbfoto->emptyTable();
        QCOMPARE(photos.rowCount(), 0);
    }

    void rowChangesStayQuickWhenEveryCellIsHeld()
    {
        // A screen reader holds a persistent index for every cell it has
        // read; with more than 16 columns each row inserted or removed took
        // seconds to minutes. Every field of 400 residents is held here.
        DataFixture f;
        f.dm().database().exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 400) "
                               "insert into zelvarx (KayitNo, Adi) select i, 'Kişi ' || i from n");
        Dataset* q = f.dm().Query2;
        q->refresh();
        DatasetTableModel model(q);
        QVERIFY(model.columnCount() > 40);
        std::vector<QPersistentModelIndex> held;
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column)
                held.emplace_back(model.index(row, column));
        QCOMPARE(model.index(7, 3), model.index(7, 3));
        QElapsedTimer timer;
        timer.start();
        q->moveTo(1);
        q->insert();
        q->cancel();
        q->remove();
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString("%1 ms").arg(timer.elapsed())));
        const size_t columns = size_t(model.columnCount());
        QVERIFY(!held[1 * columns].isValid()); // the removed row's cells
        const size_t name = size_t(q->fieldIndex("Adi"));
        QCOMPARE(held[2 * columns + name].row(), 1); // the next row moved up
        QCOMPARE(held[2 * columns + name].data().toString(), QString("Kişi 3"));
    }

    void largeRegisterReadsOnlyTheRowsShown()
    {
        DataFixture f;
        f.dm().database().exec(
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000) "
            "insert into zelvarx (KayitNo, Adi, Sokak) select i, 'Kişi ' || i, 'Sokak ' || (i % 97) from n");
        Dataset* q = f.dm().Query2;
        q->refresh();
        DBGrid grid;
        grid.setDataSource(f.dm().DataSource1);
        auto* model = new CountingModel(q);
        model->setColumns({{"KayitNo", "Kayıt No", 60}, {"Adi", "Adı Soyadı", 170}, {"Sokak", "", 0}});
        grid.setTableModel(model);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(model->rowCount(), 100000);

        QElapsedTimer timer;
        timer.start();
        for (int step = 0; step < 50; ++step) {
            grid.verticalScrollBar()->setValue(step * 2000);
            grid.repaint();
        }
        q->last();
        grid.repaint();
        QCOMPARE(grid.currentIndex().row(), 99999);
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString("%1 ms").arg(timer.elapsed())));
        const qsizetype screens = 51, rowsPerScreen = 40;
        QVERIFY2(model->rowsRead.size() < screens * rowsPerScreen, qPrintable(QString::number(model->rowsRead.size())));
        QCOMPARE(model->data(model->index(99999, 1), Qt::DisplayRole).toString(), QString("Kişi 100000"));
    }
};

ZELVAR_TEST(DBGridTest)
#include "tst_dbgrid.moc"
