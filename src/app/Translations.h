#pragma once

#include "qtcommon/UiLanguage.h"

namespace zelvane {

// The language the program starts in: the one chosen in View > Language, else the locale's.
UiLanguage StartupLanguage();

// Makes `language` the one the texts are shown in: the program's translation (embedded, from
// translations/) and Qt's own texts for its dialogs and buttons (from the system's Qt
// translations, when installed), in place of those an earlier call installed.
void InstallTranslations(UiLanguage language);

} // namespace zelvane
