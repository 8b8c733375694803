// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

// The build passes the project's version.
#ifndef ZELVAR_VERSION
#define ZELVAR_VERSION "0"
#endif

namespace zelvar {

namespace {

const QString kDataDir = QStringLiteral("data-dir");

// Qt's own options for the window system and session manager, taken from
// the command line when the application starts. Accepted here unannounced,
// so that a desktop session that restarts the program with "-session ..."
// does not have it refused.
const char* const kQtValueOptions[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                                       "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                       "display",         "geometry",           "style",         "stylesheet"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "sync"};

// The word of the command line that carried an unknown option name.
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& a : arguments.mid(1)) {
        QString bare = a;
        while (bare.startsWith(QLatin1Char('-')))
            bare.remove(0, 1);
        if (bare.section(QLatin1Char('='), 0, 0) == name)
            return a.section(QLatin1Char('='), 0, 0);
    }
    return QLatin1String(name.size() == 1 ? "-" : "--") + name;
}

// The help's lines of an option: its name and value left, its text from
// the 22nd column on.
QString optionLine(const QString& left, const QString& help)
{
    return QStringLiteral("  %1 %2\n").arg(left, -18).arg(help);
}

} // namespace

ProgramDescription ProgramDescription::mainProgram()
{
    return {QStringLiteral("Zelvar 2001"),
            {"Zelvar 2001: muhtarlık için nüfus kayıtları, belgeler ve raporlar.",
             "Zelvar 2001: register of residents, certificates and reports for a headman's office."},
            {"Muhtarlık kayıt programı", "Records program for a headman's office"},
            {}};
}

CommandLine::CommandLine(const QStringList& arguments, const QLocale& locale, const ProgramDescription& program)
    : m_description(program),
      m_turkish(locale.uiLanguages().value(0).startsWith(QLatin1String("tr"))),
      m_program(QFileInfo(arguments.value(0, QStringLiteral("zelvar"))).fileName())
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption dataDir(kDataDir, QString(), QStringLiteral("DIR"));
    parser.addOptions({help, version, dataDir});
    for (const ProgramOption& own : m_description.options)
        parser.addOption(QCommandLineOption(own.name, QString(), QStringLiteral("value")));
    for (const char* name : kQtValueOptions) {
        QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption qt(QString::fromLatin1(name));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            refuse(text("Bilinmeyen seçenek: %1", "Unknown option: %1").arg(typedOption(arguments, unknown.first())));
        else
            refuse(missingValue(arguments));
        return;
    }
    if (parser.isSet(help)) {
        m_output = helpText();
        return;
    }
    if (parser.isSet(version)) {
        m_output = versionText();
        return;
    }
    if (!parser.positionalArguments().isEmpty()) {
        refuse(text("Beklenmeyen bağımsız değişken: %1", "Unexpected argument: %1")
                   .arg(parser.positionalArguments().first()));
        return;
    }
    if (parser.isSet(dataDir)) {
        if (parser.value(dataDir).trimmed().isEmpty()) {
            refuse(text("%1 seçeneğinden sonra bir klasör adı gerekir.", "The option %1 needs a folder name after it.")
                       .arg(QStringLiteral("--") + kDataDir));
            return;
        }
        m_dataDir = QDir(parser.value(dataDir)).absolutePath();
    }
    for (const ProgramOption& own : m_description.options)
        if (parser.isSet(own.name))
            m_values.insert(own.name, parser.value(own.name));
    m_run = true;
}

// The refusal of an option given without its value: the last word of the
// command line is the option that wanted one.
QString CommandLine::missingValue(const QStringList& arguments) const
{
    QString last = arguments.value(arguments.size() - 1);
    while (last.startsWith(QLatin1Char('-')))
        last.remove(0, 1);
    for (const ProgramOption& own : m_description.options)
        if (last == own.name)
            return text("%1 seçeneğinden sonra bir değer gerekir.", "The option %1 needs a value after it.")
                .arg(QStringLiteral("--") + own.name);
    return text("%1 seçeneğinden sonra bir klasör adı gerekir.", "The option %1 needs a folder name after it.")
        .arg(QStringLiteral("--") + kDataDir);
}

QStringList CommandLine::forwarded() const
{
    QStringList options{QStringLiteral("--") + kDataDir, dataDir()};
    for (const ProgramOption& own : m_description.options)
        if (m_values.contains(own.name))
            options << QStringLiteral("--") + own.name << m_values.value(own.name);
    return options;
}

QString CommandLine::text(const char* turkish, const char* english) const
{
    return QString::fromUtf8(m_turkish ? turkish : english);
}

void CommandLine::refuse(const QString& message)
{
    m_exitCode = kUsageError;
    m_error = QStringLiteral("%1: %2\n").arg(m_program, message) +
              text("Kullanılabilecek seçenekler için: %1 --help\n", "For the options, see: %1 --help\n").arg(m_program);
}

QString CommandLine::version()
{
    return QStringLiteral(ZELVAR_VERSION);
}

QString CommandLine::defaultDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/zorp");
}

QString CommandLine::dataDir() const
{
    return m_dataDir.isEmpty() ? defaultDataDir() : m_dataDir;
}

QString CommandLine::versionText() const
{
    return text("%1 sürüm %2\n", "%1 version %2\n").arg(m_description.name, version()) + text(m_description.summary) +
           QLatin1Char('\n');
}

QString CommandLine::helpText() const
{
    const QString usage = text("Kullanım: %1 [seçenekler]\n", "Usage: %1 [options]\n").arg(m_program);
    const QString about = text(m_description.about) + QLatin1Char('\n');
    const QString folder = text("Seçenekler:\n"
                                "  --data-dir KLASÖR  Verilerin (zorp.sqlite) tutulduğu klasör. Yoksa ya da\n"
                                "                     boşsa ilk açılışta tablolar oluşturulur.\n"
                                "                     Verilmezse: %1\n",
                                "Options:\n"
                                "  --data-dir DIR     The folder that holds the data (zorp.sqlite). A missing\n"
                                "                     or empty folder gets its tables on the first start.\n"
                                "                     Without it: %1\n")
                               .arg(QDir::toNativeSeparators(defaultDataDir()));
    QString own;
    for (const ProgramOption& option : m_description.options)
        own += optionLine(QStringLiteral("--%1 %2").arg(option.name, text(option.valueName)), text(option.help));
    const QString standard = text("  -h, --help         Bu yardımı gösterir.\n"
                                  "  -v, --version      Sürüm bilgisini gösterir.\n",
                                  "  -h, --help         Shows this help.\n"
                                  "  -v, --version      Shows the version.\n");
    return usage + about + QLatin1Char('\n') + folder + own + standard;
}

int CommandLine::report() const
{
    if (!m_output.isEmpty())
        std::fputs(m_output.toUtf8().constData(), stdout);
    if (!m_error.isEmpty())
        std::fputs(m_error.toUtf8().constData(), stderr);
    return m_exitCode;
}

QStringList CommandLine::arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace zelvar
