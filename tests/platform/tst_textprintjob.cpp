// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a text through the printing service: as many pages as the text
// needs, nothing for a cancelled dialog, and a printer that cannot take the
// job reported as failed.
#include "TestRegistry.h"
#include "platform/QtPrinting.h"
#include "platform/fakes/FakeServices.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace zelvar;

namespace {

int pdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QString pdf = QString::fromLatin1(f.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return int(pdf.count(page));
}

// The dialog accepted with "print to file" chosen.
std::function<void(QPrinter&)> toFile(const QString& path)
{
    return [path](QPrinter& printer) { printer.setOutputFileName(path); };
}

} // namespace

class TstTextPrintJob : public QObject {
    Q_OBJECT
private slots:
    void textFlowsOverPagesAndFailuresAreReported()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("baski.pdf"));
        FakePrompter prompter;
        QtPrinting printing(prompter);
        QTextDocument text(QStringLiteral("Nakil Belgesi"));

        prompter.printer(false);
        QCOMPARE(printing.printText(text), TextPrintResult::Cancelled);
        QVERIFY(!QFile::exists(pdf));

        prompter.printerChoice(toFile(pdf));
        QCOMPARE(printing.printText(text), TextPrintResult::Printed);
        QCOMPARE(pdfPages(pdf), 1);

        QString lines;
        for (int i = 0; i < 150; ++i)
            lines += QStringLiteral("ek satır %1\n").arg(i);
        text.setPlainText(lines);
        prompter.printerChoice(toFile(pdf));
        QCOMPARE(printing.printText(text), TextPrintResult::Printed);
        QVERIFY(pdfPages(pdf) >= 3);

        prompter.printerChoice(toFile(QStringLiteral("/proc/yok/baski.pdf")));
        QCOMPARE(printing.printText(text), TextPrintResult::Failed);
        QVERIFY(prompter.unexpected.isEmpty());
    }
};

ZELVAR_TEST(TstTextPrintJob)
#include "tst_textprintjob.moc"
