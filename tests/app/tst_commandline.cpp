// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: help and version in the user's language, the data
// folder, and refusals with exit code 2.
#include "TestRegistry.h"
#include "platform/CommandLine.h"

#include <QDir>
#include <QTest>

using namespace zelvar;

namespace {

const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);
const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

CommandLine parse(const QStringList& options, const QLocale& locale = kEnglish)
{
    return CommandLine(QStringList{QStringLiteral("/usr/bin/zelvar")} + options, locale);
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void dataFolderIsTheDefaultOrTheOneGiven()
    {
        const CommandLine plain = parse({});
        QVERIFY(plain.shouldRun());
        QCOMPARE(plain.dataDir(), CommandLine::defaultDataDir());
        QVERIFY(CommandLine::defaultDataDir().endsWith(QStringLiteral("/zorp")));

        QCOMPARE(parse({"--data-dir", "/srv/muhtarlik"}).dataDir(), QStringLiteral("/srv/muhtarlik"));
        QCOMPARE(parse({"--data-dir=/srv/köy"}).dataDir(), QStringLiteral("/srv/köy"));
        QCOMPARE(parse({"-data-dir", "/srv/a"}).dataDir(), QStringLiteral("/srv/a"));
        // A relative folder is taken from where the program was started.
        QCOMPARE(parse({"--data-dir", "veri"}).dataDir(), QDir::current().absoluteFilePath("veri"));
        const CommandLine given = parse({"--data-dir", "/srv/muhtarlik"});
        QVERIFY(given.shouldRun());
        QCOMPARE(given.exitCode(), 0);
        QVERIFY(given.output().isEmpty() && given.error().isEmpty());
    }

    void helpAndVersionSpeakTheLocalesLanguage()
    {
        for (const char* option : {"--help", "-h"}) {
            const CommandLine english = parse({option});
            QVERIFY(!english.shouldRun());
            QCOMPARE(english.exitCode(), 0);
            QVERIFY(english.error().isEmpty());
            QVERIFY(english.output().startsWith("Usage: zelvar [options]\n"));
            QVERIFY(english.output().contains("  --data-dir DIR     The folder that holds the data (zorp.sqlite)."));
            QVERIFY(english.output().contains(CommandLine::defaultDataDir()));
            QVERIFY(english.output().contains("  -v, --version      Shows the version.\n"));

            const CommandLine turkish = parse({option}, kTurkish);
            QVERIFY(!turkish.shouldRun());
            QCOMPARE(turkish.exitCode(), 0);
            QVERIFY(turkish.output().startsWith("Kullanım: zelvar [seçenekler]\n"));
            QVERIFY(turkish.output().contains("  --data-dir KLASÖR  Verilerin (zorp.sqlite) tutulduğu klasör."));
            QVERIFY(turkish.output().contains("  -h, --help         Bu yardımı gösterir.\n"));
        }
        // Qt's own window-system options are not offered.
        QVERIFY(!parse({"--help"}).output().contains("platform"));

        const QString version = CommandLine::version();
        QVERIFY(!version.isEmpty() && version != "0");
        for (const char* option : {"--version", "-v"}) {
            QCOMPARE(parse({option}).output().section('\n', 0, 0), "Zelvar 2001 version " + version);
            QCOMPARE(parse({option}, kTurkish).output().section('\n', 0, 0), "Zelvar 2001 sürüm " + version);
            QCOMPARE(parse({option}).exitCode(), 0);
        }
        // Help wins over the data folder: nothing is opened.
        QVERIFY(!parse({"--data-dir", "/srv/x", "--help"}).shouldRun());
    }

    void badCommandLinesAreRefusedWithExitCodeTwo()
    {
        const auto refused = [](const CommandLine& c, const QString& message) {
            QVERIFY(!c.shouldRun());
            QCOMPARE(c.exitCode(), CommandLine::kUsageError);
            QCOMPARE(c.exitCode(), 2);
            QVERIFY(c.output().isEmpty());
            QVERIFY2(c.error().startsWith("zelvar: " + message + "\n"), qPrintable(c.error()));
        };
        refused(parse({"--verbose"}), "Unknown option: --verbose");
        refused(parse({"-x"}), "Unknown option: -x");
        refused(parse({"--data-dir", "/tmp", "--colour=red"}), "Unknown option: --colour");
        QVERIFY(parse({"--verbose"}).error().endsWith("For the options, see: zelvar --help\n"));
        refused(parse({"--verbose"}, kTurkish), "Bilinmeyen seçenek: --verbose");
        QVERIFY(parse({"--verbose"}, kTurkish).error().endsWith("Kullanılabilecek seçenekler için: zelvar --help\n"));

        refused(parse({"--data-dir"}), "The option --data-dir needs a folder name after it.");
        refused(parse({"--data-dir="}, kTurkish), "--data-dir seçeneğinden sonra bir klasör adı gerekir.");
        refused(parse({"--data-dir", " "}), "The option --data-dir needs a folder name after it.");
        refused(parse({"/srv/muhtarlik"}), "Unexpected argument: /srv/muhtarlik");
        refused(parse({"--data-dir", "/a", "fazla"}, kTurkish), "Beklenmeyen bağımsız değişken: fazla");
    }

    void qtsOwnOptionsPassThrough()
    {
        // A desktop session restarts a program with "-session"; Qt takes it
        // and the window-system options when the application starts.
        QVERIFY(parse({"-session", "1234abcd"}).shouldRun());
        QVERIFY(parse({"-platform", "offscreen", "--data-dir", "/srv/a"}).shouldRun());
        QCOMPARE(parse({"-platform", "offscreen", "--data-dir", "/srv/a"}).dataDir(), QStringLiteral("/srv/a"));
        QVERIFY(parse({"-reverse"}).shouldRun());
    }
};

ZELVAR_TEST(CommandLineTest)
#include "tst_commandline.moc"
