// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own Turkish texts for the standard buttons and dialogs ("Evet",
// "Hayır", "İptal", "Tamam"), from Debian's qt6-translations-l10n.
class QCoreApplication;

namespace zelvar {

// Installs the translation on the application; false when it is not
// installed on this computer.
bool loadTurkishTranslation(QCoreApplication& app);

} // namespace zelvar
