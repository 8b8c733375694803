// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-program test's other program: writes one appointment through
// the diary's own rules on the given data folder and ends.
//   appointment_writer <folder> <yyyy-MM-dd> <hh:mm> <name>
#include "companions/diary/AppointmentBook.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <cstdio>

using namespace zelvar;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    try {
        auto db = Database::openFolder(args[1]);
        Appointment a;
        a.date = QDate::fromString(args[2], Qt::ISODate);
        a.start = args[3];
        a.name = args[4];
        AppointmentBook(*db).save(a);
    } catch (const ZelvarError& e) {
        std::fputs(e.message().toUtf8().constData(), stderr);
        return 1;
    }
    return 0;
}
