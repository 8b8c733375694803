// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ErrorHandler.h"

#include "data/Errors.h"
#include "platform/Prompter.h"
#include "platform/Sound.h"

#include <QDebug>

namespace zelvar {

void ErrorHandler::report(std::exception_ptr error) noexcept
{
    try {
        m_sound.exclamation();
        if (!error)
            return;
        try {
            std::rethrow_exception(error);
        } catch (const DateEntryError&) {
            m_prompter.message(dateMessage());
        } catch (const StorageError& storage) {
            // The file or the disk refused the change, not the data typed:
            // say which, so the clerk does not retype the record in vain.
            m_prompter.message(storage.userMessage());
        } catch (const EngineError&) {
            m_prompter.message(engineMessage());
        } catch (const std::exception& other) {
            // No message for the user, but a trace for whoever looks.
            qWarning() << "Zelvar:" << other.what();
        } catch (...) {
        }
    } catch (...) {
        // Showing the report failed itself; nothing more can be done.
    }
}

} // namespace zelvar
