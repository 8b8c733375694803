// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's operations called directly, on a generated
// register: the first open after start, each keystroke of both search
// modes, a name search that finds nothing, the filters and the whole table,
// grid frames, New and Save, and the wipe. What the user waits for (the
// same, painted, through the shown window) is judged in bench_window; these
// rows tell where the time goes. Floors: the sqlite3 shell running the
// statement the program runs (rows to /dev/null) on the same file; for the
// name search the same folded names searched in memory and the row read;
// for grid frames the same rows read and their cells drawn.
//   bench_register [residents]
#include "BenchSupport.h"
#include "SilentServices.h"
#include "data/Database.h"
#include "data/FoldedColumn.h"
#include "data/TDM2.h"
#include "documents/PrintedForms.h"
#include "platform/QtPrinting.h"
#include "platform/Services.h"
#include "register/DatabaseWipe.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"
#include "ui/bound/DBGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

// The statement the register reads: row ids and names, as Dataset asks it.
QString registerRead(const QString& tail = QString())
{
    return QStringLiteral("select rowid, \"Adi\" from \"zelvarx\" ") + tail;
}

void settle()
{
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString generated = generatedFolder(residents);
    // New, Save and the wipe write: the window works on a copy.
    QTemporaryDir work;
    copyDatabase(generated, work.path());
    const QString file = databaseFile(work.path());
    SilentServices silent;
    const Services& services = silent.services;
    RegisterMemory memory;
    PrintedForms forms;
    std::fprintf(stderr, "register window over %d residents\n", residents);

    // The first open after start: the data module as the program makes it,
    // then the window built, reading the register once, shown and painted.
    {
        Samples ours;
        Samples floor;
        const int runs = residents >= 1000000 ? 5 : 7;
        for (int run = 0; run < runs; ++run) {
            TDM2 dm(work.path());
            std::unique_ptr<TForm2> window;
            ours.add(measure([&] {
                window = std::make_unique<TForm2>(dm, services, memory, forms);
                window->show();
                window->repaint();
            }));
            window.reset();
            floor.add(shellOnce(file, registerRead()));
        }
        runRow(QStringLiteral("register window, first open"), residents, ours, floor,
               residents >= 1000000 ? Goal::ratio(1.2) : Goal::ms(100));
    }

    TDM2 dm(work.path());
    TForm2 window(dm, services, memory, forms);
    auto* searchBox = window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
    window.show();
    window.repaint();
    settle();
    Dataset* q = dm.Query2;

    // Name mode, one keystroke at a time; the first key after the open
    // included. The floor does the same work in memory: the same folded
    // names searched for the prefix, the row found read whole.
    FoldedColumn folded;
    std::vector<qint64> ids;
    auto reader = Database::openFolder(work.path());
    {
        Statement names(reader->handle(), registerRead());
        while (names.step()) {
            ids.push_back(names.columnInt64(0));
            const QByteArray name = names.column(1).toString().toUtf8();
            folded.appendUtf8(name.constData(), int(name.size()));
        }
    }
    Statement rowById(reader->handle(), QStringLiteral("select * from zelvarx where rowid = ?"));
    const auto floorSearch = [&](const QString& prefix) {
        return measure([&] {
            const int found = folded.findPrefix(FoldedColumn::fold(prefix));
            if (found < 0)
                return;
            rowById.reset();
            rowById.bind(1, ids[size_t(found)]);
            if (rowById.step())
                for (int c = 0; c < rowById.columnCount(); ++c)
                    rowById.column(c);
            rowById.reset();
        });
    };
    {
        Samples ours;
        Samples floor;
        for (const QString& name :
             {QStringLiteral("Mehmet Yılmaz"), QStringLiteral("şükrü"), QStringLiteral("İsmail K"),
              QStringLiteral("Işıl Çakır"), QStringLiteral("zzz"), QStringLiteral("Ayşe Kayahan")}) {
            searchBox->clear();
            for (int i = 1; i <= name.size(); ++i) {
                ours.add(measure([&] { searchBox->setText(name.left(i)); }));
                floor.add(floorSearch(name.left(i)));
            }
        }
        // Judged painted, through the shown window, in bench_window.
        quantileRow(QStringLiteral("name search, one keystroke (call only)"), residents, ours, floor, Goal());
    }

    // A name nobody has: every name is looked at.
    {
        Samples ours;
        Samples floor;
        for (int run = 0; run < 9; ++run) {
            searchBox->clear();
            ours.add(measure([&] { searchBox->setText(QStringLiteral("Xq")); }));
            floor.add(floorSearch(QStringLiteral("Xq")));
        }
        runRow(QStringLiteral("name search that finds nothing (call only)"), residents, ours, floor, Goal());
    }

    // Record-number mode: numbers typed digit by digit.
    {
        window.findChild<QAbstractButton*>(QStringLiteral("numberMode"))->click();
        Samples ours;
        QStringList statements;
        QRandomGenerator rand(12);
        for (int n = 0; n < 15; ++n) {
            const QString number = QString::number(1 + rand.bounded(residents));
            searchBox->clear();
            for (int i = 1; i <= number.size(); ++i) {
                ours.add(measure([&] { searchBox->setText(number.left(i)); }));
                statements << QStringLiteral("select * from zelvarx where KayitNo = %1").arg(number.left(i));
            }
        }
        quantileRow(QStringLiteral("record-number search, one keystroke (call only)"), residents, ours,
                    shell(file, statements), Goal());
        window.findChild<QAbstractButton*>(QStringLiteral("nameMode"))->click();
    }

    // The filters and the whole table, each reading the register anew.
    {
        Samples letter, letterFloor, surname, surnameFloor, whole, wholeFloor;
        searchBox->setText(QStringLiteral("Kaya"));
        for (int run = 0; run < 5; ++run) {
            letter.add(measure([&] {
                window.alphabetFilter(QStringLiteral("M"));
                settle();
            }));
            letterFloor.add(shellOnce(file, registerRead(QStringLiteral("where Adi  like 'M%'"))));
            surname.add(measure([&] {
                window.surnameFilter();
                settle();
            }));
            surnameFloor.add(shellOnce(file, registerRead(QStringLiteral("where adi like '%Kaya%' "))));
            whole.add(measure([&] {
                window.wholeTable();
                settle();
            }));
            wholeFloor.add(shellOnce(file, registerRead()));
        }
        runRow(QStringLiteral("alphabet filter \"M\""), residents, letter, letterFloor, Goal());
        runRow(QStringLiteral("surname filter \"Kaya\""), residents, surname, surnameFloor, Goal());
        runRow(QStringLiteral("whole table"), residents, whole, wholeFloor, Goal::ratio(1.2));
        searchBox->clear();
    }

    // The detailed-view grid, a page at a time at scattered places. The floor
    // reads the same rows through the library, one statement per row as the
    // dataset does.
    {
        window.showPage(TForm2::DetailedViewPage);
        settle();
        auto* grid = window.findChild<DBGrid*>(QStringLiteral("detailGrid"));
        QScrollBar* bar = grid->verticalScrollBar();
        Statement row(reader->handle(), QStringLiteral("select * from zelvarx where rowid = ?"));
        QImage cells(grid->viewport()->size(), QImage::Format_RGB32);
        const int rowHeight = std::max(1, grid->verticalHeader()->defaultSectionSize());
        Samples ours;
        Samples floor;
        QRandomGenerator rand(3);
        const int pageRows = std::max(1, bar->pageStep());
        for (int frame = 0; frame < 150; ++frame) {
            const int top = frame < 50 ? frame * pageRows : int(rand.bounded(quint32(bar->maximum() + 1)));
            ours.add(measure([&] {
                bar->setValue(top);
                grid->viewport()->repaint();
            }));
            // The floor reads the same rows and draws their cells' texts on
            // an image of the grid's size, in columns of the grid's widths.
            floor.add(measure([&] {
                cells.fill(Qt::white);
                QPainter painter(&cells);
                for (int r = top; r < top + pageRows; ++r) {
                    row.reset();
                    row.bind(1, qint64(r + 1));
                    if (!row.step())
                        continue;
                    int x = 0;
                    const int y = (r - top) * rowHeight;
                    for (int c = 0; c < row.columnCount() && x < cells.width(); ++c) {
                        const int width = grid->columnWidth(c);
                        painter.drawText(QRect(x, y, width, rowHeight), Qt::AlignVCenter, row.column(c).toString());
                        painter.drawRect(x, y, width, rowHeight);
                        x += width;
                    }
                }
            }));
        }
        quantileRow(QStringLiteral("grid frame, one page painted"), residents, ours, floor, Goal::ms(50));
        window.showPage(TForm2::EntryPage);
        settle();
    }

    // New and Save, the calls alone: judged painted, through the shown
    // window, in bench_window. Save's floor inserts a row of all the
    // columns with its own commit.
    {
        Samples newTimes, saveTimes;
        QStringList columns;
        {
            Statement info(reader->handle(), QStringLiteral("pragma table_info(zelvarx)"));
            while (info.step())
                columns << QLatin1Char('"') + info.column(1).toString() + QLatin1Char('"');
        }
        QStringList copied = columns;
        copied.replace(int(columns.indexOf(QStringLiteral("\"KayitNo\""))), QStringLiteral("%1"));
        QStringList insertStatements;
        for (int i = 0; i < 20; ++i) {
            newTimes.add(measure([&] { window.newRecord(); }));
            q->setText(QStringLiteral("Adi"), QStringLiteral("Deneme Kişi %1").arg(i));
            saveTimes.add(measure([&] { window.saveRecord(); }));
            insertStatements << QStringLiteral("insert into zelvarx (%1) select %2 from zelvarx where rowid = 1")
                                    .arg(columns.join(QLatin1Char(',')), copied.join(QLatin1Char(',')))
                                    .arg(residents + 1000 + i);
        }
        quantileRow(QStringLiteral("New (call only)"), residents, newTimes, Samples(), Goal());
        quantileRow(QStringLiteral("Save (call only)"), residents, saveTimes, shell(file, insertStatements), Goal());
    }

    // The wipe, each run on a fresh copy, against the shell deleting the
    // same rows in one transaction on another copy.
    {
        Samples ours;
        Samples floor;
        const int runs = residents >= 1000000 ? 2 : 3;
        for (int run = 0; run < runs; ++run) {
            QTemporaryDir mine;
            copyDatabase(generated, mine.path());
            {
                TDM2 wipeDm(mine.path());
                wipeDm.Query2->recordCount();
                ours.add(measure([&] { DatabaseWipe(wipeDm, services).run(); }));
            }
            QTemporaryDir theirs;
            copyDatabase(generated, theirs.path());
            const Samples steps =
                shell(databaseFile(theirs.path()),
                      {QStringLiteral("begin"), QStringLiteral("delete from \"Foto\""),
                       QStringLiteral("delete from zelvarx where adi<>''"), QStringLiteral("commit")});
            floor.add(steps.total());
        }
        runRow(QStringLiteral("wipe"), residents, ours, floor, Goal());
    }
    return 0;
}
