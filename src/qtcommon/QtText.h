#pragma once

#include "qtcommon/UiLanguage.h"
#include "text/Reason.h"
#include "text/StringTable.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <string>

namespace zelvane {

// The core speaks UTF-8 std::string and std::filesystem::path; Qt speaks QString.
inline QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text)
{
    return text.toStdString();
}

inline std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

inline QString FromPath(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

// The translations know the string table's texts by their Japanese words, in this context,
// so a text the core made from one entry (a command's name) translates as the entry does.
inline constexpr const char* kStringTableContext = "StringTable";

// A text of the string table in the language the program speaks: the entry itself when no
// translation is installed or the translation lacks it.
inline QString TranslateText(std::string_view japanese)
{
    if (japanese.empty())
        return QString();
    return QCoreApplication::translate(kStringTableContext, std::string(japanese).c_str());
}

inline QString LoadQString(std::uint32_t id)
{
    return TranslateText(LoadString(id));
}

// FormatString in the language the program speaks: the fields go into the translated format.
inline QString FormatQString(std::uint32_t id, std::initializer_list<std::string_view> args)
{
    const std::string format = LoadQString(id).toStdString();
    return ToQString(
        FormatText(format, std::span<const std::string_view>(args.begin(), args.size())));
}

// A reason in the language the program speaks. The English twins are written as the command
// line's phrases ("cannot write ..."); a dialog shows them as a sentence.
inline QString ReasonText(const Reason& reason)
{
    if (CurrentUiLanguage() == UiLanguage::Japanese)
        return ToQString(JapaneseText(reason));
    QString text = ToQString(EnglishText(reason));
    if (text.isEmpty())
        return text;
    text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

// The status-bar prompt of a command: the part of its string before the newline.
inline QString CommandPrompt(std::uint32_t id)
{
    return LoadQString(id).section(QLatin1Char('\n'), 0, 0);
}

// The tooltip of a command: the part after the newline.
inline QString CommandTooltip(std::uint32_t id)
{
    return LoadQString(id).section(QLatin1Char('\n'), 1, 1);
}

} // namespace zelvane
