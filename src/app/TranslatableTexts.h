#pragma once

#include <QList>
#include <QString>

#include <cstdint>

namespace zelvane {

// One text the desktop program shows, as the translations know it: its context and its
// Japanese words, with the string-table IDs that hold these words (none for a menu's own
// text).
struct TranslatableText {
    const char* context = nullptr;
    QString source;
    QList<std::uint32_t> ids;
};

// Every text the translations have to say, each once: the string table's entries in ID order,
// then the menus' own texts in menu order.
QList<TranslatableText> TranslatableTexts();

} // namespace zelvane
