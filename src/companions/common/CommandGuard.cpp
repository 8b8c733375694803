// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/CommandGuard.h"

#include "companions/common/Refused.h"
#include "platform/Services.h"

namespace zelvar {

bool runCommand(const Services& services, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const Refused& refused) {
        services.sound.exclamation();
        services.prompter.message(refused.message(), MessageKind::Warning);
    } catch (...) {
        services.errors.report(std::current_exception());
    }
    return false;
}

} // namespace zelvar
