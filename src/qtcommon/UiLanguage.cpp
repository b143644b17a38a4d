#include "qtcommon/UiLanguage.h"

#include <QByteArray>
#include <QtGlobal>

namespace zelvane {
namespace {

UiLanguage g_current = UiLanguage::Japanese;

} // namespace

UiLanguage LanguageOfLocaleName(const QString& locale)
{
    // "en", "en_GB.UTF-8", "en_US@euro": the language is what comes before '_', '.' or '@'.
    const QString language = locale.section(QLatin1Char('_'), 0, 0)
                                 .section(QLatin1Char('.'), 0, 0)
                                 .section(QLatin1Char('@'), 0, 0);
    return language.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 ? UiLanguage::English
                                                                           : UiLanguage::Japanese;
}

UiLanguage LanguageOfEnvironment()
{
    // An empty variable counts as unset, as it does for setlocale.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return LanguageOfLocaleName(value);
    }
    return UiLanguage::Japanese;
}

QString LanguageCode(UiLanguage language)
{
    return language == UiLanguage::English ? QStringLiteral("en") : QStringLiteral("ja");
}

std::optional<UiLanguage> LanguageFromCode(const QString& code)
{
    if (code == QLatin1String("en"))
        return UiLanguage::English;
    if (code == QLatin1String("ja"))
        return UiLanguage::Japanese;
    return std::nullopt;
}

UiLanguage CurrentUiLanguage()
{
    return g_current;
}

void SetCurrentUiLanguage(UiLanguage language)
{
    g_current = language;
}

} // namespace zelvane
