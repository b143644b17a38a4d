#include "app/Translations.h"

#include "app/Settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace zelvane {
namespace {

struct InstalledTranslators {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

InstalledTranslators& Installed()
{
    static InstalledTranslators installed;
    return installed;
}

// Installs a translator when its file loads; a missing file leaves the texts as they are.
std::unique_ptr<QTranslator> Load(const QString& name, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace

UiLanguage StartupLanguage()
{
    return Settings::ReadLanguage().value_or(LanguageOfEnvironment());
}

void InstallTranslations(UiLanguage language)
{
    InstalledTranslators& installed = Installed();
    for (std::unique_ptr<QTranslator>* translator : {&installed.program, &installed.qt}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
    const QString code = LanguageCode(language);
    installed.program = Load(QStringLiteral("zelvane_") + code, QStringLiteral(":/i18n"));
    installed.qt = Load(QStringLiteral("qtbase_") + code,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    SetCurrentUiLanguage(language);
}

} // namespace zelvane
