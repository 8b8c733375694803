// SPDX-License-Identifier: GPL-3.0-or-later
// Where the installed program finds its shared files and companion programs.
#include "TestRegistry.h"
#include "platform/HelpWindow.h"
#include "platform/InstallLayout.h"
#include "platform/ProcessLauncher.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace zelvar;

namespace {

void writeFile(const QString& path, const QByteArray& content, bool executable = false)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

} // namespace

class InstallLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The desktop's data folders of the test user, not the real ones.
        QStandardPaths::setTestModeEnabled(true);
    }

    void cleanupTestCase() { QStandardPaths::setTestModeEnabled(false); }

    void prefixIsFoundFromTheProgramFolder()
    {
        QTemporaryDir root;
        const QString usr = root.filePath("usr");
        InstallLayout installed(usr + "/bin");
        QCOMPARE(installed.prefix(), usr);
        QCOMPARE(installed.dataFolders().value(0), usr + "/share/zelvar");
        QCOMPARE(installed.companionFolders(), (QStringList{usr + "/bin", usr + "/libexec/zelvar"}));
        // A trailing slash or a "bin/." still names the same folder.
        QCOMPARE(InstallLayout(usr + "/bin/").prefix(), usr);
        QCOMPARE(InstallLayout(usr + "/bin/.").prefix(), usr);
        QCOMPARE(InstallLayout("/bin").prefix(), QStringLiteral("/"));

        // The build folder is no install: only the program's own folder, and
        // the desktop's data folders.
        InstallLayout build(root.filePath("build"));
        QVERIFY(build.prefix().isEmpty());
        QCOMPARE(build.companionFolders(), QStringList{root.filePath("build")});
        QVERIFY(!build.dataFolders().contains(root.filePath("share/zelvar")));
        // "cabin" ends in "bin" but is not a bin folder.
        QVERIFY(InstallLayout(root.filePath("cabin")).prefix().isEmpty());
    }

    void sharedFilesAreFoundInTheInstalledDataFolder()
    {
        QTemporaryDir root;
        writeFile(root.filePath("usr/share/zelvar/sounds/ring.wav"), "RIFF");
        writeFile(root.filePath("usr/share/zelvar/secret"), "x");
        InstallLayout layout(root.filePath("usr/bin"));
        QCOMPARE(layout.findData("sounds/ring.wav"), root.filePath("usr/share/zelvar/sounds/ring.wav"));
        QVERIFY(layout.findData("sounds/yok.wav").isEmpty());
        // A folder is not a file, and nothing outside the data folders is reached.
        QVERIFY(layout.findData("sounds").isEmpty());
        QVERIFY(layout.findData("").isEmpty());
        QVERIFY(layout.findData("../zelvar/secret").isEmpty());
        QVERIFY(layout.findData(root.filePath("usr/share/zelvar/secret")).isEmpty());
        QCOMPARE(layout.findData("sounds/../secret"), root.filePath("usr/share/zelvar/secret"));

        // Without an install, the desktop's data folder is looked in.
        const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QVERIFY(!userData.isEmpty());
        const QString userHelp = userData + "/zelvar/help/zelvar.html";
        writeFile(userHelp, "<html/>");
        QCOMPARE(InstallLayout(root.filePath("build")).findData("help/zelvar.html"), userHelp);
        // The installed copy comes before it.
        writeFile(root.filePath("usr/share/zelvar/help/zelvar.html"), "<html/>");
        QCOMPARE(layout.findData("help/zelvar.html"), root.filePath("usr/share/zelvar/help/zelvar.html"));
        QVERIFY(QDir(userData + "/zelvar").removeRecursively());
    }

    void companionsAreFoundInTheInstalledHelperFolder()
    {
        QTemporaryDir root, path;
        const QString bin = root.filePath("usr/bin");
        writeFile(root.filePath("usr/libexec/zelvar/zelvar-takvim"), "#!/bin/sh\n", true);
        writeFile(path.filePath("zelvar-takvim"), "#!/bin/sh\n", true);
        QVERIFY(QDir().mkpath(bin));
        ProcessLauncher launcher({path.path()}, bin);
        QCOMPARE(launcher.resolve(Program::Diary).executable, root.filePath("usr/libexec/zelvar/zelvar-takvim"));
        // One beside the program comes first; the search path comes last.
        writeFile(bin + "/zelvar-takvim", "#!/bin/sh\n", true);
        QCOMPARE(launcher.resolve(Program::Diary).executable, bin + "/zelvar-takvim");
        writeFile(path.filePath("zelvar-adres"), "#!/bin/sh\n", true);
        QCOMPARE(launcher.resolve(Program::AddressBook).executable, path.filePath("zelvar-adres"));
        // A desktop program is never looked for among the companions.
        writeFile(root.filePath("usr/libexec/zelvar/xcalc"), "#!/bin/sh\n", true);
        QVERIFY(launcher.resolve(Program::Calculator).executable.isEmpty());
    }

    void helpPageIsTheInstalledOneWhenPresent()
    {
        // The test program is not installed: the compiled-in page, unless
        // the package is installed on this machine.
        if (InstallLayout().findData("help/zelvar.html").isEmpty())
            QCOMPARE(HelpWindow::helpPage(), QUrl("qrc:/help/zelvar.html"));

        QTemporaryDir root;
        const QString page = root.filePath("zelvar.html");
        writeFile(page, "<html><body><p>Kurulu yardım</p><a name=\"t102\"></a></body></html>");
        HelpWindow help(QUrl::fromLocalFile(page));
        help.showTopic(102);
        QCOMPARE(help.browser()->source().toLocalFile(), page);
        QCOMPARE(help.browser()->source().fragment(), QStringLiteral("t102"));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Kurulu yardım")));
        help.close();
    }
};

ZELVAR_TEST(InstallLayoutTest)
#include "tst_installlayout.moc"
