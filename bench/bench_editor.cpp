// SPDX-License-Identifier: GPL-3.0-or-later
// The document editor: opening and saving a 1 MB rich-text file, and
// composing each certificate template. Floors, measured in the same run:
// for opening, reading the file and laying the same text into a
// QTextDocument as plain text; for saving, taking the document's plain text
// and writing it to a file; for a template, putting the same text into the
// editor's text area as plain text. Every figure includes laying the whole
// text out.
//
// Large files, each opened through the "Aç" button in a process of its own
// (so that its peak memory is its own): a 5 MB rich-text file of 1,000,000
// paragraphs, one paragraph of 200,000 \u escapes, and a text file of
// 1,000,000 lines. Figures: from the click until the text is shown, and
// until it is laid out whole; the longest time the window did not answer
// (the gap between two ticks of a 10 ms timer); CPU time of all threads;
// peak memory. Floor: reading the same file the same way into a document no
// view shows, on the one thread. A run that passes ZELVAR_BENCH_TIMEOUT seconds
// (default 120) is stopped and shown as such.
// Usage: bench_editor [--large-only]
#include "BenchSupport.h"
#include "SilentServices.h"
#include "data/Database.h"
#include "data/TDM2.h"
#include "documents/CertificateTemplates.h"
#include "documents/EditorFiles.h"
#include "documents/RtfReader.h"
#include "documents/RtfWriter.h"
#include "documents/TEditor.h"
#include "platform/QtPrinting.h"
#include "platform/Services.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <cstdio>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

// About 1 MB of rich text: Turkish paragraphs with changing formatting.
QByteArray megabyteOfRtf(QString* plain)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Courier New"), 10));
    QTextCursor c(&doc);
    QTextCharFormat plainFormat, bold, italic;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(12);
    italic.setFontItalic(true);
    italic.setForeground(QColor(160, 0, 0));
    QByteArray rtf;
    for (int i = 0; rtf.size() < 1024 * 1024; ++i) {
        for (int p = 0; p < 200; ++p) {
            c.insertBlock();
            c.insertText(QStringLiteral("%1. Mahallemiz Gül Sokak No 5'te ikamet eden ").arg(i * 200 + p), plainFormat);
            c.insertText(QStringLiteral("Şükrü Çağlayan Işıkoğlu"), bold);
            c.insertText(QStringLiteral(" için düzenlenen belge\tİlçe Nüfus Müdürlüğü'ne "), plainFormat);
            c.insertText(QStringLiteral("gönderilmiştir."), italic);
        }
        rtf = RtfWriter::write(doc);
    }
    *plain = doc.toPlainText();
    return rtf;
}

// --- large files

struct LargeFile {
    const char* name;
    const char* file;
};
const LargeFile kLargeFiles[] = {
    {"5 MB RTF, 1,000,000 paragraphs", "paragraflar.rtf"},
    {"RTF, 200,000 \\u in one paragraph", "kacislar.rtf"},
    {"text file, 1,000,000 lines", "satirlar.txt"},
};

void writeLargeFiles(const QString& folder)
{
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0 Courier New;}}\\f0\\fs20 ";
    QByteArray paragraphs = head;
    for (int i = 0; i < 1000000; ++i)
        paragraphs += ";\\par"; // five bytes: a ';' and the paragraph's end
    paragraphs += "}";
    QByteArray escapes = head;
    for (int i = 0; i < 200000; ++i)
        escapes += i % 8 == 7 ? QByteArray("\\u351? ") : QByteArray("\\u350?"); // Ş, words of eight letters
    escapes += "}";
    QByteArray lines;
    for (int i = 0; i < 1000000; ++i)
        lines += QByteArray::number(i) + '\n';
    const QByteArray contents[] = {paragraphs, escapes, lines};
    for (int i = 0; i < 3; ++i) {
        QFile f(QDir(folder).filePath(QLatin1String(kLargeFiles[i].file)));
        f.open(QIODevice::WriteOnly);
        f.write(contents[i]);
    }
}

class FilePrompter : public SilentPrompter {
public:
    QString path;
    QString openFileName(const QString&, const QString&, const QStringList&) override { return path; }
};

// In the child process: opens the file through the editor's "Aç" button and
// prints one line of figures.
int openLargeFile(const QString& path)
{
    SilentServices silent;
    FilePrompter prompter;
    prompter.path = path;
    const Services services{prompter,     silent.sound,    silent.launcher, silent.help,
                            silent.clock, silent.printing, silent.errors};
    TDM2 dm(Database::openInMemory());
    TEditor editor(dm, services);
    editor.show();
    QCoreApplication::processEvents();

    // Floor: the file read as the editor reads it, on this thread, into a
    // document no view shows: the same text in the same blocks, without the
    // reading thread, the progress window, the view and its layout.
    const Sample floor = measure([&] {
        QTextDocument d;
        EditorFiles::read(path, d);
    });
    resetPeak();

    QElapsedTimer clock;
    double longestStall = 0;
    qint64 lastTick = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestStall = std::max(longestStall, (now - lastTick) / 1e6);
        lastTick = now;
    });
    const double cpu0 = processCpuMs();
    clock.start();
    ticks.start();
    editor.toolAction(TEditor::OpenItem)->trigger();
    QCoreApplication::processEvents(); // painted
    const double shownMs = clock.nsecsElapsed() / 1e6;
    // Laid out whole once the last paragraph has its lines; the rich view
    // lays the rest out a piece at a time while the window answers, the
    // tall view only what it shows, so there the caret goes to the end
    // (Ctrl+End) and the end is painted. Watched for at most kLayoutWatchMs.
    constexpr double kLayoutWatchMs = 60000;
    const QTextDocument* doc = editor.shownDocument();
    if (editor.shownTextBox() != editor.textArea()) {
        QKeyEvent toEnd(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(editor.shownTextBox(), &toEnd);
        QCoreApplication::processEvents();
    }
    while (doc->lastBlock().layout()->lineCount() == 0 && clock.nsecsElapsed() / 1e6 < kLayoutWatchMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    const bool laidOut = doc->lastBlock().layout()->lineCount() > 0;
    const double laidOutMs = clock.nsecsElapsed() / 1e6;
    const double cpuMs = processCpuMs() - cpu0;
    QCoreApplication::processEvents();
    longestStall = std::max(longestStall, (clock.nsecsElapsed() - lastTick) / 1e6);
    std::printf("%-16s shown %6.0f ms   laid out %s%6.0f ms (cpu %6.0f ms)   longest stall %4.0f ms   peak %4.0f MB   "
                "floor (read, no view) %5.0f ms (cpu %5.0f ms)   %s\n",
                qPrintable(QFileInfo(path).fileName()), shownMs, laidOut ? "  " : "> ", laidOutMs, cpuMs, longestStall,
                peakMb(), floor.wallMs, floor.cpuMs, shownMs <= 2000 && longestStall <= 500 ? "ok" : "OVER");
    std::fflush(stdout);
    return 0;
}

void largeFiles(const QString& program)
{
    QTemporaryDir folder;
    writeLargeFiles(folder.path());
    const int timeout = qEnvironmentVariableIntValue("ZELVAR_BENCH_TIMEOUT") > 0
                            ? qEnvironmentVariableIntValue("ZELVAR_BENCH_TIMEOUT")
                            : 120;
    std::printf("\nLarge files, opened with \"Aç\" (target: shown within 2 s, no stall over 0.5 s)\n");
    for (const LargeFile& large : kLargeFiles) {
        const QString path = QDir(folder.path()).filePath(QLatin1String(large.file));
        std::printf("%s, %.1f MB\n", large.name, QFileInfo(path).size() / 1048576.0);
        std::fflush(stdout);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(program, {QStringLiteral("--large-file"), path});
        if (!child.waitForFinished(timeout * 1000)) {
            child.kill();
            child.waitForFinished();
            std::printf("%-36s stopped after %d s: not shown\n", large.file, timeout);
        }
    }
}

void line(const char* what, double ms, const char* floorWhat, double floorMs, double target)
{
    std::printf("%-34s %8.2f ms   floor (%s) %8.2f ms   target %6.1f ms   %s\n", what, ms, floorWhat, floorMs, target,
                ms <= target ? "ok" : "OVER");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The offscreen platform warns about every raise(); the figures matter here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtWarningMsg && type != QtDebugMsg && type != QtInfoMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--large-file"))
        return openLargeFile(args[2]);
    if (args.contains(QStringLiteral("--large-only"))) {
        largeFiles(app.applicationFilePath());
        return 0;
    }
    QTemporaryDir dir;
    SilentServices silent;
    TDM2 dm(Database::openInMemory());
    TEditor editor(dm, silent.services);
    editor.show();

    QString plain;
    const QByteArray rtf = megabyteOfRtf(&plain);
    const QString file = dir.filePath(QStringLiteral("buyuk.rtf"));
    {
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(rtf);
    }
    std::printf("Rich-text file of %.2f MB, %lld characters of text\n", rtf.size() / 1048576.0,
                static_cast<long long>(plain.size()));

    QTextDocument* doc = editor.textArea()->document();
    const double openMs = medianMs(5, [&] {
        // Read as the editor reads it, then laid out whole at the text area's width.
        QTextDocument d;
        d.setDefaultFont(doc->defaultFont());
        EditorFiles::read(file, d);
        d.setTextWidth(doc->textWidth());
        d.pageCount();
    });
    EditorFiles::read(file, *doc); // for the save below
    const double openFloor = medianMs(5, [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        QTextDocument d;
        d.setDefaultFont(doc->defaultFont());
        d.setTextWidth(doc->textWidth());
        d.setPlainText(plain);
        d.pageCount();
    });
    line("open 1 MB RTF into the editor", openMs, "read + plain text into a document", openFloor, 1000);

    const QString saved = dir.filePath(QStringLiteral("kayit.rtf"));
    const QString savedPlain = dir.filePath(QStringLiteral("kayit.txt"));
    const double saveMs = medianMs(5, [&] { EditorFiles::save(saved, *doc); });
    const double saveFloor = medianMs(5, [&] {
        QFile f(savedPlain);
        f.open(QIODevice::WriteOnly);
        f.write(doc->toPlainText().toUtf8());
    });
    line("save it as RTF", saveMs, "plain text written", saveFloor, 500);

    TemplateValues values;
    values.resident = [](const QString& field) { return field + QStringLiteral(" değeri"); };
    values.office = {{"Il", "Ankara"}, {"Ilce", "Çankaya"}, {"Mahalle", "Kocatepe"}, {"Zelvar", "Ömer Şahin"}};
    values.today = templateDate(QDate::currentDate());
    const MoveOutCertificate moveOut;
    const PovertyCertificate poverty;
    const StatusCertificate status;
    const IdCardChangeBackPage backPage;
    const std::pair<const char*, const CertificateTemplate*> templates[] = {
        {"compose move-out certificate", &moveOut},
        {"compose poverty certificate", &poverty},
        {"compose status certificate", &status},
        {"compose identity-card back page", &backPage}};
    for (const auto& [name, certificate] : templates) {
        QString text;
        for (const TemplateLine& l : certificate->lines(values))
            text += l.text + QLatin1Char('\n');
        const double ms = medianMs(21, [&] {
            editor.compose(*certificate, values, 1);
            editor.textArea()->document()->pageCount();
        });
        const double floor = medianMs(21, [&] {
            editor.textArea()->setPlainText(text);
            editor.textArea()->document()->pageCount();
        });
        line(name, ms, "same text as plain text", floor, 50);
    }
    largeFiles(app.applicationFilePath());
    return 0;
}
