#pragma once

#include <QString>

#include <optional>

namespace zelvane {

// The languages the desktop program speaks. Japanese is the language its texts are written in;
// English is their translation.
enum class UiLanguage { Japanese, English };

// The language a locale name (as LANG or LC_MESSAGES hold it, "en_US.UTF-8") asks for:
// English for an English locale, Japanese for anything else, "C" and "POSIX" included.
UiLanguage LanguageOfLocaleName(const QString& locale);

// The language of the environment, taking the first of LC_ALL, LC_MESSAGES and LANG that is
// set, in the order the C library does.
UiLanguage LanguageOfEnvironment();

// The language as the settings store it ("ja", "en"), and back; nothing for an unknown code.
QString LanguageCode(UiLanguage language);
std::optional<UiLanguage> LanguageFromCode(const QString& code);

// The language the texts are shown in: set once the translations are installed, so that
// texts the translations do not hold (reasons, which have English twins of their own) follow.
UiLanguage CurrentUiLanguage();
void SetCurrentUiLanguage(UiLanguage language);

} // namespace zelvane
