// The register window on a large register: opening it, each keystroke of the
// incremental search, the alphabet and surname filters against the sqlite3
// shell running the same statements, scrolling the detailed-view grid frame
// by frame, and New and Save. Usage: bench_register [residents]
#include "BenchSupport.h"
#include "data/TDM2.h"
#include "platform/QtPrinting.h"
#include "platform/Services.h"
#include "register/TForm2.h"
#include "ui/Resources.h"
#include "ui/bound/DBGrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

// Services that answer nothing: no dialog may stop a benchmark.
class SilentPrompter : public Prompter {
public:
    void message(const QString&, MessageKind, const QString&) override {}
    Answer ask(const QString&, Buttons, MessageKind, const QString&) override { return Answer::Yes; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QStringList&, const QString&) override { return {}; }
    bool chooseFont(QFont&) override { return false; }
    bool choosePrinter(QPrinter&) override { return false; }
};

class SilentSound : public Sound {
public:
    void beep() override {}
    void exclamation() override {}
    void playSync(const QString&, int) override {}
};

class NoLauncher : public Launcher {
public:
    bool start(Program) override { return false; }
    bool openFile(const QString&) override { return false; }
};

class NoHelp : public Help {
public:
    void showTopic(int) override {}
};

struct Times {
    std::vector<double> ms;
    void add(double value) { ms.push_back(value); }
    double median()
    {
        std::sort(ms.begin(), ms.end());
        return ms.empty() ? 0 : ms[ms.size() / 2];
    }
    double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

double timeMs(const std::function<void()>& fn)
{
    QElapsedTimer t;
    t.start();
    fn();
    return t.nsecsElapsed() / 1e6;
}

void line(const QString& what, double ms, double targetMs)
{
    std::printf("%-48s %9.3f ms   %-28s target %7.1f ms   %s\n", qPrintable(what), ms, "", targetMs,
                ms <= targetMs ? "ok" : "OVER");
}

// New and Save write: the benchmark works on a copy of the generated register.
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
    initResources();
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString generated = generatedFolder(residents);
    const QString file = generated + QStringLiteral("/zorp.sqlite");
    QTemporaryDir work;
    TDM2 dm(copyOf(generated, work));

    SilentPrompter prompter;
    SilentSound sound;
    NoLauncher launcher;
    NoHelp help;
    SystemClock clock;
    QtPrinting printing(prompter);
    Services services{prompter, sound, launcher, help, clock, printing};
    std::printf("Register window over %d residents\n", dm.Query2->recordCount());

    // Opening: built, the register reopened, shown and painted once.
    Times open;
    for (int run = 0; run < 5; ++run) {
        std::unique_ptr<TForm2> probe;
        open.add(timeMs([&] {
            probe = std::make_unique<TForm2>(dm, services);
            probe->show();
            probe->repaint();
        }));
    }
    line(QStringLiteral("open the window"), open.median(), 300);

    TForm2 window(dm, services);
    window.show();
    window.repaint();
    QApplication::processEvents();
    Dataset* q = dm.Query2;

    // The incremental search, one keystroke at a time.
    Times keys;
    for (const QString& name : {QStringLiteral("Mehmet Yılmaz"), QStringLiteral("şükrü"), QStringLiteral("İsmail K"),
                                QStringLiteral("zzz")}) {
        window.searchBox()->clear();
        for (int i = 1; i <= name.size(); ++i)
            keys.add(timeMs([&] { window.searchBox()->setText(name.left(i)); }));
    }
    std::printf("%-48s %9.3f ms   (median %.3f ms over %zu keys)\n", "incremental search, slowest keystroke",
                keys.worst(), keys.median(), keys.ms.size());
    line(QStringLiteral("incremental search, one keystroke"), keys.worst(), 10);
    window.searchBox()->clear();

    // The filters, against the shell running the same statements.
    const double letterMs = medianMs(5, [&] { window.alphabetFilter(QStringLiteral("M")); });
    const int letterRows = q->recordCount();
    bench::report(QStringLiteral("alphabet filter \"M\" (%1 residents)").arg(letterRows), letterMs,
           sqliteShellMs(file, QStringLiteral("select * from zelvarx where Adi like 'M%'")), 80);
    window.searchBox()->setText(QStringLiteral("Kaya"));
    Times surname;
    Times whole;
    for (int run = 0; run < 5; ++run) {
        surname.add(timeMs([&] { window.surnameFilter(); }));
        if (run == 0)
            std::printf("surname filter \"Kaya\" holds %d residents\n", q->recordCount());
        whole.add(timeMs([&] { window.wholeTable(); }));
    }
    bench::report(QStringLiteral("surname filter \"Kaya\""), surname.median(),
           sqliteShellMs(file, QStringLiteral("select * from zelvarx where Adi like '%Kaya%' ")), 80);
    bench::report(QStringLiteral("whole table"), whole.median(), sqliteShellMs(file, QStringLiteral("select * from zelvarx")),
           80);
    window.searchBox()->clear();

    // Scrolling the detailed view from top to bottom, a page at a time.
    window.showPage(TForm2::DetailedViewPage);
    QApplication::processEvents();
    DBGrid* grid = window.detailGrid();
    QScrollBar* bar = grid->verticalScrollBar();
    Times frames;
    for (int value = 0; value <= bar->maximum(); value += std::max(1, bar->pageStep())) {
        frames.add(timeMs([&] {
            bar->setValue(value);
            grid->viewport()->repaint();
        }));
    }
    std::printf("%-48s %9.3f ms   (median %.3f ms over %zu frames)\n", "grid scroll, slowest frame", frames.worst(),
                frames.median(), frames.ms.size());
    line(QStringLiteral("grid scroll, one page step painted"), frames.worst(), 50);

    // New and Save, each twenty times.
    window.showPage(TForm2::EntryPage);
    QApplication::processEvents();
    Times newTimes;
    Times saveTimes;
    for (int i = 0; i < 20; ++i) {
        newTimes.add(timeMs([&] { window.newRecord(); }));
        q->setText(QStringLiteral("Adi"), QStringLiteral("Deneme Kişi %1").arg(i));
        saveTimes.add(timeMs([&] { window.saveRecord(); }));
    }
    std::printf("%-48s %9.3f ms   (slowest %.3f ms)\n", "New, median", newTimes.median(), newTimes.worst());
    std::printf("%-48s %9.3f ms   (slowest %.3f ms)\n", "Save, median", saveTimes.median(), saveTimes.worst());
    line(QStringLiteral("New"), newTimes.median(), 20);
    line(QStringLiteral("Save"), saveTimes.median(), 20);
    return 0;
}
