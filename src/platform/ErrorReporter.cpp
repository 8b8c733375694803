// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ErrorReporter.h"

#include <QDebug>

namespace zelvar {

void reportError(ErrorReporter* errors, const std::exception_ptr& error) noexcept
{
    if (errors) {
        errors->report(error);
        return;
    }
    if (!error)
        return;
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            qWarning() << "Zelvar: unreported error:" << e.what();
        }
    } catch (...) {
        // Nothing more can be said about it.
    }
}

} // namespace zelvar
