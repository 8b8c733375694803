// SPDX-License-Identifier: GPL-3.0-or-later
// The report engine: pagination of 10,000 rows, the first preview page of a
// 100,000-row report, and a 100,000-row report written to PDF. Each figure
// stands beside its floor, measured in the same run: a bare loop doing the
// same work by hand (the same strings kept, drawn, or drawn into a bare
// QPdfWriter with the same fonts, places, lines and page breaks).
//   build/bench/bench_report [rows for the PDF, default 100000]
#include "BenchList.h"
#include "BenchSupport.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/QtPrompter.h"
#include "report/PagePainter.h"
#include "report/PagedReport.h"
#include "report/ReportFonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelvar;
using namespace zelvar::report;

namespace {

using namespace zelvar::bench::list;

ReportDefinition listDefinition()
{
    return definition(QStringLiteral("Zelvar 2001 [Deneme Listesi]"));
}

double ms(QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

// The floor of pagination: the same rows read and their texts kept with
// their places, page by page, by hand.
double barePagination(const TableRows& source)
{
    QElapsedTimer t;
    t.start();
    struct Placed {
        QRectF rect;
        QString text;
    };
    std::vector<std::vector<Placed>> pages(1);
    const double top = 12.7;
    const double bottom = 297 - 12.7 - 6.3;
    double y = top;
    for (int r = 0; r < source.rowCount(); ++r) {
        if (y + kRowHeight > bottom + 0.01) {
            pages.emplace_back();
            y = top;
        }
        for (int c = 0; c < kColumns.size(); ++c)
            pages.back().push_back({QRectF(12.7 + kColumns[c], y + 0.8, 0, 4), source.value(r, c).toString()});
        y += kRowHeight;
    }
    return ms(t);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int pdfRows = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;

    // Ours and the floor alternate, ours first, three times each.
    constexpr int kRuns = 3;
    using bench::Samples;

    // 1. Pagination of 10,000 rows.
    {
        const auto source = rows(10000);
        const ReportDefinition d = listDefinition();
        Samples ours, floor;
        for (int run = 0; run < kRuns; ++run) {
            ours.add(bench::measure([&] { paginate(d, *source); }));
            floor.add(bench::measure([&] { barePagination(*source); }));
        }
        bench::runRow(QStringLiteral("pagination, 10,000 rows"), 10000, ours, floor, bench::Goal::ms(500));
    }

    // 2. The preview window of a 100,000-row report, on screen with page 1.
    {
        const auto source = rows(100000);
        QtPrompter prompter;
        Samples ours, floor;
        for (int run = 0; run < kRuns; ++run) {
            ours.add(bench::measure([&] {
                PrintPreviewWindow window(std::make_shared<PagedReport>(listDefinition(), source), prompter);
                window.show();
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 0);
            }));
            // Floor: one page's strings drawn by hand onto an image of the same size.
            floor.add(bench::measure([&] {
                QImage image(QSize(788, 1114), QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter p(&image);
                p.setFont(ReportFonts::font({"Arial", 9}));
                for (int r = 0; r < 44; ++r)
                    for (int c = 0; c < kColumns.size(); ++c)
                        p.drawText(QPointF(kColumns[c] * 3, r * 18 + 12), source->value(r, c).toString());
            }));
        }
        bench::runRow(QStringLiteral("preview of 100,000 rows, page 1"), 100000, ours, floor, bench::Goal::ms(500));
    }

    // 3. PDF of pdfRows rows, four texts each, against the bare QPdfWriter loop.
    {
        const auto source = rows(pdfRows);
        Samples ours, floor;
        for (int run = 0; run < kRuns; ++run) {
            ours.add(bench::measure([&] {
                PagedReport report(listDefinition(), source);
                report.writePdf(dir.filePath(QStringLiteral("report.pdf")));
            }));
            floor.add(bench::measure([&] { barePdf(*source, dir.filePath(QStringLiteral("bare.pdf"))); }));
        }
        bench::runRow(QStringLiteral("PDF, 4 texts a row"), pdfRows, ours, floor, bench::Goal::ratio(1.3));
        std::printf("%-44s %9lld / %lld bytes\n", "file sizes (ours / bare)",
                    QFileInfo(dir.filePath(QStringLiteral("report.pdf"))).size(),
                    QFileInfo(dir.filePath(QStringLiteral("bare.pdf"))).size());
    }
    return 0;
}
