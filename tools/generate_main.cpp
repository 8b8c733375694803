// SPDX-License-Identifier: GPL-3.0-or-later
// zelvar-generate: writes a sample register into a data folder.
//   zelvar-generate [--residents N] [--seed S] [--moved-out SHARE]
//                   [--paradox FOLDER [--code-page CP] [--paradox-password NNNN]] DIR
// With --paradox the register is also written as an old office's folder of
// Paradox tables (encrypted under a four-digit table password if one is
// given), for the data wizard to import.
#include "ParadoxWriter.h"
#include "RegisterGenerator.h"
#include "data/Database.h"
#include "data/Errors.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Zelvar örnek kayıt üreticisi / sample register generator");
    parser.addHelpOption();
    parser.addOption({"residents", "Kişi sayısı / number of residents", "N", "400"});
    parser.addOption({"seed", "Rastgele tohum / random seed", "S", "2001"});
    parser.addOption({"moved-out", "Taşınanların oranı / share moved out", "SHARE", "0.03"});
    parser.addOption({"paradox", "Paradox tabloları klasörü / folder of Paradox tables", "FOLDER"});
    parser.addOption({"code-page", "Paradox kod sayfası / Paradox code page (1254, 857)", "CP", "1254"});
    parser.addOption({"paradox-password", "Paradox tablo şifresi / Paradox table password (four digits)", "NNNN"});
    parser.addPositionalArgument("DIR", "Veri klasörü / data folder");
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    zelvar::GeneratorOptions options;
    options.residents = parser.value("residents").toInt();
    options.seed = parser.value("seed").toUInt();
    options.movedOutShare = parser.value("moved-out").toDouble();
    try {
        auto db = zelvar::Database::openFolder(parser.positionalArguments().first());
        QElapsedTimer timer;
        timer.start();
        const int written = zelvar::generateRegister(*db, options);
        std::printf("%d kişi yazıldı (%lld ms): %s\n", written, static_cast<long long>(timer.elapsed()),
                    qPrintable(db->folder()));
        if (parser.isSet("paradox")) {
            zelvar::writeParadoxFolder(
                *db, parser.value("paradox"),
                {parser.value("code-page").toInt(), parser.value("paradox-password").toLatin1()});
            std::printf("Paradox tabloları: %s\n", qPrintable(parser.value("paradox")));
        }
    } catch (const zelvar::ZelvarError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
