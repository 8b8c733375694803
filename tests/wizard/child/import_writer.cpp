// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper for the data wizard's kill test: imports a file into a data
// folder through the wizard's engine and says when it starts writing and
// when the import is committed. The test kills it with SIGKILL meanwhile.
//   import_writer DATA_FOLDER FILE
#include "data/Database.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/SourceFiles.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto db = zelvar::Database::openFolder(args.value(1));
    zelvar::wizard::ImportRun run(*db);
    zelvar::wizard::addAutomatic(run, args.value(2));
    run.check();
    std::puts("writing");
    std::fflush(stdout);
    run.write(db->folder(), QDateTime::currentDateTime());
    std::puts("committed");
    std::fflush(stdout);
    return 0;
}
