// SPDX-License-Identifier: GPL-3.0-or-later
// The lists over a register of 100,000 residents: a Find that matches
// everyone until its grid is painted, the name list's first preview page,
// and the name list and labels written as PDF against a bare QPdfWriter loop
// that draws the same strings at the same places.
// Usage: bench_lists [residents]
#include "BenchSupport.h"
#include "SilentServices.h"
#include "data/Database.h"
#include "data/TDM2.h"
#include "platform/QtPrinting.h"
#include "platform/Services.h"
#include "report/PagePainter.h"
#include "report/PagedReport.h"
#include "report/ReportFonts.h"
#include "reports/GeneralReportsPage.h"
#include "reports/ListPrinter.h"
#include "reports/ListReports.h"
#include "reports/ListingControls.h"
#include "reports/TAdres.h"
#include "ui/bound/DBGrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

// The same strings at the same places, drawn by QPainter alone on a
// QPdfWriter: what any program writing these pages has to do. A value too
// wide for its box is wrapped within the box by Qt's own text layout, as the
// page shows it; every other string is drawn at its point.
double barePdfMs(const QString& path, report::PagedReport& laidOut)
{
    // The strings and places are taken from our pages beforehand, so the
    // floor is the drawing alone.
    struct Text {
        QRectF mm;
        QString text;
        QFont font;
        bool wrapped;
        double ascent; // device pixels
    };
    std::vector<std::vector<Text>> pages;
    QPdfWriter probe(path);
    probe.setResolution(1200);
    for (int p = 0; p < laidOut.pageCount(); ++p) {
        std::vector<Text> texts;
        for (const report::PlacedItem& item : laidOut.page(p).items) {
            if (item.kind != report::ItemKind::Text)
                continue;
            // The font the layout names, found as the report finds it.
            const QFont font = report::ReportFonts::font(item.item->font);
            const bool boxed = item.item->sizing == report::TextSizing::FixedBox;
            const QFontMetricsF metrics(font, &probe);
            const double widthMm = metrics.horizontalAdvance(item.text) * 25.4 / 1200;
            texts.push_back({item.rect, item.text, font, boxed && widthMm > item.rect.width(), metrics.ascent()});
        }
        pages.push_back(std::move(texts));
    }
    QElapsedTimer timer;
    timer.start();
    QPdfWriter writer(path);
    writer.setPageLayout(laidOut.definition().pageLayout());
    writer.setResolution(1200);
    QPainter painter(&writer);
    const double scale = writer.resolution() / 25.4;
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        for (const Text& t : pages[p]) {
            painter.setFont(t.font);
            if (t.wrapped) {
                const QRectF box(t.mm.x() * scale, t.mm.y() * scale, t.mm.width() * scale, t.mm.height() * scale);
                painter.save();
                painter.setClipRect(box);
                painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, t.text);
                painter.restore();
            } else {
                painter.drawText(QPointF(t.mm.x() * scale, t.mm.y() * scale + t.ascent), t.text);
            }
        }
    }
    painter.end();
    return timer.nsecsElapsed() / 1e6;
}

// Ours and the bare loop take turns, three times each; the best time of
// each counts, as the machine is shared.
void comparePdf(const QString& what, const std::function<std::shared_ptr<report::PagedReport>()>& make,
                const QString& folder)
{
    double ours = 1e12;
    double bare = 1e12;
    double layout = 0;
    int pages = 0;
    bool written = true;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        auto report = make();
        pages = report->pageCount();
        const double laidOut = timer.nsecsElapsed() / 1e6;
        written = report->writePdf(folder + QStringLiteral("/ours.pdf")) && written;
        const double total = timer.nsecsElapsed() / 1e6;
        if (total < ours) {
            ours = total;
            layout = laidOut;
        }
        bare = std::min(bare, barePdfMs(folder + QStringLiteral("/bare.pdf"), *report));
    }
    std::printf("%-24s %7.0f ms (layout %5.0f ms, %d pages%s)   bare QPdfWriter loop %7.0f ms   ratio %.2f "
                "(target 1.30)  %s\n",
                qPrintable(what), ours, layout, pages, written ? "" : ", NOT WRITTEN", bare, ours / bare,
                ours <= 1.3 * bare ? "ok" : "OVER");
}

QString copyOf(const QString& folder, const QTemporaryDir& target)
{
    for (const QString& name : QDir(folder).entryList({QStringLiteral("zorp.sqlite*")}, QDir::Files))
        QFile::copy(QDir(folder).filePath(name), QDir(target.path()).filePath(name));
    return target.path();
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
    QTemporaryDir work;
    TDM2 dm(copyOf(generated, work));
    const QString file = work.path() + QStringLiteral("/zorp.sqlite");

    SilentServices silent;
    Services& services = silent.services;
    std::printf("Lists over %d residents\n", residents);

    // Find matching everyone: every name holds a blank. Timed until the
    // grid has painted its first rows.
    TAdres window(dm, services);
    window.pages()->setCurrentWidget(window.generalReportsPage());
    window.show();
    QApplication::processEvents();
    ListingControls* listing = window.generalReportsPage()->listing();
    listing->wordBox()->setText(QStringLiteral(" "));
    const double find = medianMs(5, [&] {
        listing->find();
        listing->grid()->repaint();
    });
    bench::report(QStringLiteral("Find matching everyone, grid painted"), find,
                  sqliteShellMs(file, QStringLiteral("select rowid from zelvarx where Adi like '% %'")), 300);
    std::printf("  (%d found)\n", dm.Query1->recordCount());

    // The name list's first preview page: laid out and painted on a page
    // image, as the preview does before it shows it.
    ListPrinter printer(dm, services);
    TQRList list;
    ColumnChoice chosen{};
    chosen[0] = chosen[2] = chosen[5] = chosen[7] = true;
    list.setColumns(placeListColumns(chosen));
    // The floor: the page's rows read and its texts and frames drawn where
    // the page has them, on an image of the same size, alternated with ours.
    const report::Page laidOut = printer.nameList(list)->page(0);
    Samples ours, floor;
    for (int run = 0; run < 5; ++run) {
        ours.add(measure([&] {
            auto paged = printer.nameList(list);
            QImage image(794, 1123, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            paged->paintPage(0, painter);
        }));
        floor.add(measure([&] {
            Statement rows(dm.database().handle(), QStringLiteral("select * from zelvarx limit ?"));
            rows.bind(1, laidOut.rowCount);
            while (rows.step())
                for (int c = 0; c < rows.columnCount(); ++c)
                    rows.column(c);
            QImage image(794, 1123, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.scale(794 / 210.0, 794 / 210.0);
            for (const report::PlacedItem& p : laidOut.items) {
                if (p.kind == report::ItemKind::Text) {
                    painter.setFont(report::ReportFonts::font(p.item->font));
                    painter.drawText(p.rect.bottomLeft(), p.text);
                } else {
                    painter.drawRect(p.rect);
                }
            }
        }));
    }
    runRow(QStringLiteral("name list, first preview page (call only)"), residents, ours, floor, Goal());

    QTemporaryDir pdfs;
    comparePdf(
        QStringLiteral("Name list PDF"), [&] { return printer.nameList(list); }, pdfs.path());
    comparePdf(
        QStringLiteral("Address labels PDF"), [&] { return printer.labels(TQRLabelForm()); }, pdfs.path());
    return 0;
}
