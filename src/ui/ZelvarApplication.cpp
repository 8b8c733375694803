// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ZelvarApplication.h"

#include "report/ReportFonts.h"

#include <QDebug>
#include <QPixmapCache>

namespace zelvar {

namespace {

constexpr int kPixmapCacheKiB = 2048;

} // namespace

ZelvarApplication::ZelvarApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    report::ReportFonts::installSubstitutions();
    // The style keeps drawn pieces of controls (frames, buttons, gradients)
    // for reuse, by default up to 10 MB: after a few windows and a preview
    // the program would keep that much for pictures it can draw again.
    QPixmapCache::setCacheLimit(kPixmapCacheKiB);
}

bool ZelvarApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        qCritical() << "Zelvar: an error escaped an event handler:" << error.what();
    } catch (...) {
        qCritical() << "Zelvar: an error escaped an event handler";
    }
    // The interrupted handler is abandoned; the event counts as not handled.
    return false;
}

} // namespace zelvar
