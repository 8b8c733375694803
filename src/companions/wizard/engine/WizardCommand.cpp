// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/WizardCommand.h"

#include "data/DataFolderLock.h"
#include "data/Database.h"
#include "wizard/engine/ExportRun.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/SourceFiles.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#ifndef ZELVAR_VERSION
#define ZELVAR_VERSION "0"
#endif

namespace zelvar::wizard {

namespace {

std::optional<Encoding> encodingNamed(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("1254") || n == QLatin1String("windows-1254") || n == QLatin1String("cp1254"))
        return Encoding::Windows1254;
    if (n == QLatin1String("857") || n == QLatin1String("cp857") || n == QLatin1String("ibm857"))
        return Encoding::Dos857;
    if (n == QLatin1String("utf8") || n == QLatin1String("utf-8"))
        return Encoding::Utf8;
    return std::nullopt;
}

} // namespace

WizardCommand::WizardCommand(const QStringList& arguments, const QLocale& locale)
    : m_turkish(locale.uiLanguages().value(0).startsWith(QLatin1String("tr"))),
      m_program(QFileInfo(arguments.value(0, QStringLiteral("zelvar-sihirbaz"))).fileName())
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption import(QStringLiteral("import"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    const QCommandLineOption encoding(QStringLiteral("encoding"), QString(), QStringLiteral("CP"));
    const QCommandLineOption exportOption(QStringLiteral("export"), QString(), QStringLiteral("TABLE"));
    parser.addOptions({help, versionOption, dataDir, import, dryRun, encoding, exportOption});
    for (const char* qt : {"platform", "display", "geometry", "style", "session"}) {
        QCommandLineOption option(QString::fromLatin1(qt), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        refuse(parser.errorText());
        return;
    }
    if (parser.isSet(help)) {
        m_mode = Mode::Answered;
        m_output = helpText();
        return;
    }
    if (parser.isSet(versionOption)) {
        m_mode = Mode::Answered;
        m_output = text("Zelvar 2001 Veri Sihirbazı sürüm %1\n", "Zelvar 2001 Data Wizard version %1\n").arg(version());
        return;
    }
    if (parser.isSet(dataDir)) {
        if (parser.value(dataDir).trimmed().isEmpty()) {
            refuse(text("--data-dir seçeneğinden sonra bir klasör adı gerekir.",
                        "The option --data-dir needs a folder name after it."));
            return;
        }
        m_dataDir = QDir(parser.value(dataDir)).absolutePath();
    }
    if (parser.isSet(encoding)) {
        m_encoding = encodingNamed(parser.value(encoding));
        if (!m_encoding) {
            refuse(text("Bilinmeyen kodlama: %1 (1254, 857 ya da utf8 olmalı)",
                        "Unknown encoding: %1 (must be 1254, 857 or utf8)")
                       .arg(parser.value(encoding)));
            return;
        }
    }
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(import) && parser.isSet(exportOption)) {
        refuse(text("--import ve --export birlikte kullanılamaz.", "--import and --export cannot be used together."));
        return;
    }
    if (parser.isSet(import)) {
        m_mode = Mode::Import;
        m_importPath = QFileInfo(parser.value(import)).absoluteFilePath();
        m_dryRun = parser.isSet(dryRun);
        if (!positional.isEmpty())
            refuse(text("Beklenmeyen bağımsız değişken: %1", "Unexpected argument: %1").arg(positional.first()));
        return;
    }
    if (parser.isSet(exportOption)) {
        m_mode = Mode::Export;
        m_exportTable = parser.value(exportOption);
        if (positional.size() != 1) {
            refuse(text("--export TABLO DOSYA: bir dosya adı gerekir.", "--export TABLE FILE: a file name is needed."));
            return;
        }
        m_exportFile = QFileInfo(positional.first()).absoluteFilePath();
        if (!exportChoice(m_exportTable)) {
            QStringList names;
            for (const ExportChoice& c : exportChoices())
                names << c.name;
            refuse(text("Bilinmeyen tablo: %1 (%2)", "Unknown table: %1 (%2)")
                       .arg(m_exportTable, names.join(QStringLiteral(", "))));
            return;
        }
        if (!exportFormatOf(m_exportFile))
            refuse(text("Dosya .xlsx, .ods ya da .csv olmalı: %1", "The file must be .xlsx, .ods or .csv: %1")
                       .arg(m_exportFile));
        return;
    }
    if (parser.isSet(dryRun)) {
        refuse(text("--dry-run yalnız --import ile kullanılır.", "--dry-run goes with --import only."));
        return;
    }
    if (!positional.isEmpty())
        refuse(text("Beklenmeyen bağımsız değişken: %1", "Unexpected argument: %1").arg(positional.first()));
}

QString WizardCommand::text(const char* turkish, const char* english) const
{
    return QString::fromUtf8(m_turkish ? turkish : english);
}

void WizardCommand::refuse(const QString& message)
{
    m_mode = Mode::Answered;
    m_exitCode = kUsageError;
    m_error = QStringLiteral("%1: %2\n").arg(m_program, message) +
              text("Kullanılabilecek seçenekler için: %1 --help\n", "For the options, see: %1 --help\n").arg(m_program);
}

QString WizardCommand::version()
{
    return QStringLiteral(ZELVAR_VERSION);
}

QString WizardCommand::defaultDataDir()
{
    // The main program's folder: its application name, not this program's.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Zelvar 2001/zorp");
}

QString WizardCommand::dataDir() const
{
    return m_dataDir.isEmpty() ? defaultDataDir() : m_dataDir;
}

QString WizardCommand::alreadyRunningMessage(const QString& folder)
{
    return QStringLiteral("Veri Sihirbazı bu veri klasöründe zaten çalışıyor: %1")
        .arg(QDir::toNativeSeparators(folder));
}

QString WizardCommand::helpText() const
{
    QStringList choices;
    for (const ExportChoice& c : exportChoices())
        choices << QStringLiteral("                       %1: %2").arg(c.name, c.title);
    return text("Kullanım: %1 [seçenekler]\n"
                "Zelvar 2001 Veri Sihirbazı: eski kayıtları (Paradox tabloları, .xlsx, .ods, .csv)\n"
                "programa aktarır, tabloları dışarı verir. Seçeneksiz açılırsa pencereyle çalışır.\n\n"
                "Seçenekler:\n"
                "  --data-dir KLASÖR    Verilerin (zorp.sqlite) tutulduğu klasör.\n"
                "                       Verilmezse: %2\n"
                "  --import YOL         Bir Paradox klasörünü ya da dosyayı kendiliğinden eşleyerek\n"
                "                       aktarır: önce denetim raporunu, sonra özeti yazar.\n"
                "  --dry-run            Yalnız denetler ve raporu yazar; hiçbir şey kaydetmez.\n"
                "  --encoding KOD       Metnin kodlaması: 1254, 857 ya da utf8 (verilmezse tahmin edilir).\n"
                "  --export TABLO DOSYA Bir tabloyu .xlsx, .ods ya da .csv dosyasına verir. Tablolar:\n"
                "%3\n"
                "  -h, --help           Bu yardımı gösterir.\n"
                "  -v, --version        Sürüm bilgisini gösterir.\n\n"
                "Çıkış kodu: 0 işlem yapıldı, 1 hiçbir şey aktarılmadı ya da bir hata oldu, 2 seçenek hatası.\n",
                "Usage: %1 [options]\n"
                "Zelvar 2001 Data Wizard: brings old records (Paradox tables, .xlsx, .ods, .csv) into\n"
                "the program and exports its tables. Without options it opens its window.\n\n"
                "Options:\n"
                "  --data-dir DIR       The folder that holds the data (zorp.sqlite).\n"
                "                       Without it: %2\n"
                "  --import PATH        Imports a Paradox folder or a file with the automatic mapping:\n"
                "                       prints the checking report, then a summary.\n"
                "  --dry-run            Only checks and prints the report; writes nothing.\n"
                "  --encoding CP        The text's encoding: 1254, 857 or utf8 (guessed without it).\n"
                "  --export TABLE FILE  Exports a table to an .xlsx, .ods or .csv file. Tables:\n"
                "%3\n"
                "  -h, --help           Shows this help.\n"
                "  -v, --version        Shows the version.\n\n"
                "Exit code: 0 done, 1 nothing imported or an error, 2 a wrong option.\n")
        .arg(m_program, QDir::toNativeSeparators(defaultDataDir()), choices.join(QLatin1Char('\n')));
}

int WizardCommand::report() const
{
    if (!m_output.isEmpty())
        std::fputs(m_output.toUtf8().constData(), stdout);
    if (!m_error.isEmpty())
        std::fputs(m_error.toUtf8().constData(), stderr);
    return m_exitCode;
}

int WizardCommand::run(QTextStream& out, QTextStream& err, const QDateTime& now) const
{
    try {
        const QString folder = Database::prepareFolder(dataDir());
        DataFolderLock lock(folder, lockFileName());
        if (lock.take() != DataFolderLock::Result::Taken) {
            err << alreadyRunningMessage(folder) << '\n';
            return kNothingDone;
        }
        auto db = Database::openFolder(folder);
        return m_mode == Mode::Import ? runImport(*db, out, err, now) : runExport(*db, out, err);
    } catch (const ZelvarError& e) {
        err << e.message() << '\n';
        return kNothingDone;
    }
}

int WizardCommand::runImport(Database& db, QTextStream& out, QTextStream& err, const QDateTime& now) const
{
    ImportRun run(db);
    const QStringList notes = addAutomatic(run, m_importPath, m_encoding);
    for (const QString& note : notes)
        out << note << '\n';
    run.check();
    out << QStringLiteral("Denetim raporu: %1 sorun.\n").arg(run.issues().size());
    for (const Issue& issue : run.issues()) {
        out << QStringLiteral("%1, satır %2").arg(issue.file).arg(issue.line);
        if (!issue.field.isEmpty())
            out << QStringLiteral(", %1").arg(issue.field);
        out << QStringLiteral(": %1 → %2\n").arg(issue.detail, decisionTitle(run.decision(issue.kind)));
    }
    qint64 toWrite = 0;
    for (const TableSummary& s : run.checkSummary())
        toWrite += s.written;
    if (m_dryRun) {
        out << ImportRun::summaryText(run.checkSummary())
                   .replace(QStringLiteral("kaydedildi"), QStringLiteral("kaydedilecek"))
            << '\n'
            << QStringLiteral("Deneme: hiçbir şey kaydedilmedi.\n");
        return toWrite > 0 ? 0 : kNothingDone;
    }
    if (toWrite == 0) {
        err << QStringLiteral("Aktarılacak satır yok; hiçbir şey kaydedilmedi.\n");
        return kNothingDone;
    }
    const QVector<TableSummary> summary = run.write(db.folder(), now);
    out << ImportRun::summaryText(summary) << '\n';
    if (!run.backupFile().isEmpty())
        out << QStringLiteral("Aktarmadan önceki yedek: %1\n").arg(QDir::toNativeSeparators(run.backupFile()));
    qint64 written = 0;
    for (const TableSummary& s : summary)
        written += s.written;
    return written > 0 ? 0 : kNothingDone;
}

int WizardCommand::runExport(Database& db, QTextStream& out, QTextStream&) const
{
    const ExportChoice choice = *exportChoice(m_exportTable);
    const int rows = wizard::exportTable(db, choice, m_exportFile, *exportFormatOf(m_exportFile));
    out << QStringLiteral("%1: %2 satır yazıldı: %3\n")
               .arg(choice.title)
               .arg(rows)
               .arg(QDir::toNativeSeparators(m_exportFile));
    if (choice.name.startsWith(QLatin1String("zelvarx"), Qt::CaseInsensitive) ||
        choice.name == QLatin1String("kalanlar"))
        out << QStringLiteral("Fotoğraflar bu dosyalara sığmaz; tam bir kopya için veri klasörünün yedeğini "
                              "kullanınız.\n");
    return 0;
}

} // namespace zelvar::wizard
