// The report engine: pagination of 10,000 rows, the first preview page of a
// 100,000-row report, and a 100,000-row report written to PDF. Each figure
// stands beside its floor, measured in the same run: a bare loop doing the
// same work by hand (the same strings kept, drawn, or drawn into a bare
// QPdfWriter with the same fonts, places, lines and page breaks).
//   build/bench/bench_report [rows for the PDF, default 100000]
#include "BenchList.h"
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

void print(const char* what, double ours, const char* floorName, double floor, double target)
{
    std::printf("%-44s %9.1f ms   %s %9.1f ms   target %s\n", what, ours, floorName, floor,
                target > 0 ? qPrintable(QStringLiteral("%1 ms").arg(target)) : "1.3 x floor");
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

// The floor of the PDF: a bare QPdfWriter loop with the same strings, fonts,
// places, row lines and page numbers.
double barePdf(const TableRows& source, const QString& path)
{
    QElapsedTimer t;
    t.start();
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(listDefinition().pageLayout());
    QPainter p(&writer);
    const double s = 1200 / 25.4;
    const QFont font = ReportFonts::font({"Arial", 9});
    p.setFont(font);
    const double ascent = QFontMetricsF(font, &writer).ascent();
    QPen pen(Qt::black);
    pen.setWidthF(0.25 * s);
    const double top = 12.7;
    const double bottom = 297 - 12.7 - 6.3;
    double y = top;
    int page = 1;
    const auto footer = [&] {
        p.drawText(QPointF((12.7 + 2.1) * s, (bottom + 1.1) * s + ascent), QStringLiteral("Sayfa%1").arg(page));
    };
    for (int r = 0; r < source.rowCount(); ++r) {
        if (y + kRowHeight > bottom + 0.01) {
            footer();
            writer.newPage();
            ++page;
            y = top;
        }
        for (int c = 0; c < kColumns.size(); ++c)
            p.drawText(QPointF((12.7 + kColumns[c]) * s, (y + 0.8) * s + ascent), source.value(r, c).toString());
        p.setPen(pen);
        p.drawLine(QPointF(12.7 * s, (y + kRowHeight) * s), QPointF((297 - 12.7) * s, (y + kRowHeight) * s));
        y += kRowHeight;
    }
    footer();
    p.end();
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

    // 1. Pagination of 10,000 rows.
    {
        const auto source = rows(10000);
        const ReportDefinition d = listDefinition();
        QElapsedTimer t;
        t.start();
        const QVector<Page> pages = paginate(d, *source);
        const double ours = ms(t);
        print(qPrintable(QStringLiteral("Pagination, 10,000 rows (%1 pages)").arg(pages.size())), ours, "bare loop",
              barePagination(*source), 500);
    }

    // 2. The preview window of a 100,000-row report, on screen with page 1.
    {
        const auto source = rows(100000);
        QtPrompter prompter;
        QElapsedTimer t;
        t.start();
        PrintPreviewWindow window(std::make_shared<PagedReport>(listDefinition(), source), prompter);
        window.show();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 0);
        const double ours = ms(t);
        // Floor: one page's strings drawn by hand onto an image of the same size.
        QElapsedTimer f;
        f.start();
        QImage image(window.pageViewSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(ReportFonts::font({"Arial", 9}));
        for (int r = 0; r < 44; ++r)
            for (int c = 0; c < kColumns.size(); ++c)
                p.drawText(QPointF(kColumns[c] * 3, r * 18 + 12), source->value(r, c).toString());
        p.end();
        print("Preview of 100,000 rows, page 1 on screen", ours, "bare page", ms(f), 500);
    }

    // 3. PDF of pdfRows rows, four texts each, against the bare QPdfWriter loop.
    {
        const auto source = rows(pdfRows);
        const double floor = barePdf(*source, dir.filePath(QStringLiteral("bare.pdf")));
        QElapsedTimer t;
        t.start();
        PagedReport report(listDefinition(), source);
        report.writePdf(dir.filePath(QStringLiteral("report.pdf")));
        const double ours = ms(t);
        print(qPrintable(QStringLiteral("PDF, %1 rows x 4 texts (%2 pages)").arg(pdfRows).arg(report.pageCount())),
              ours, "bare QPdfWriter", floor, 0);
        std::printf("%-44s %9.2f x\n", "ratio", ours / floor);
        std::printf("%-44s %9lld / %lld bytes\n", "file sizes (ours / bare)",
                    QFileInfo(dir.filePath(QStringLiteral("report.pdf"))).size(),
                    QFileInfo(dir.filePath(QStringLiteral("bare.pdf"))).size());
    }
    return 0;
}
