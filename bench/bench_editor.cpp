// The document editor: opening and saving a 1 MB rich-text file, and
// composing each certificate template. Floors, measured in the same run:
// for opening, reading the file and laying the same text into a
// QTextDocument as plain text; for saving, taking the document's plain text
// and writing it to a file; for a template, putting the same text into the
// editor's text area as plain text. Every figure includes laying the whole
// text out. Usage: bench_editor
#include "BenchSupport.h"
#include "SilentServices.h"
#include "data/Database.h"
#include "data/TDM2.h"
#include "documents/CertificateTemplates.h"
#include "documents/EditorFiles.h"
#include "documents/RtfWriter.h"
#include "documents/TEditor.h"
#include "platform/QtPrinting.h"
#include "platform/Services.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
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
        EditorFiles::load(file, *doc);
        doc->pageCount(); // the whole text laid out
    });
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
    return 0;
}
