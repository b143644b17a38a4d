#include "app/TranslatableTexts.h"

#include "app/CommandTable.h"
#include "qtcommon/QtText.h"
#include "text/StringTable.h"

#include <QHash>

namespace zelvane {

QList<TranslatableText> TranslatableTexts()
{
    QList<TranslatableText> texts;
    // Entries of the same words are one text: the translations look them up by their words.
    QHash<QString, qsizetype> byWords;
    for (std::uint32_t id : StringIds()) {
        const QString source = ToQString(std::string(LoadString(id)));
        if (source.isEmpty())
            continue;
        const auto known = byWords.constFind(source);
        if (known != byWords.cend()) {
            texts[*known].ids.append(id);
            continue;
        }
        byWords.insert(source, texts.size());
        texts.append({kStringTableContext, source, {id}});
    }
    for (const QString& source : MenuSourceTexts())
        texts.append({kMenuContext, source, {}});
    return texts;
}

} // namespace zelvane
