#pragma once

#include "text/StringTable.h"

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

inline QString LoadQString(std::uint32_t id)
{
    const std::string_view text = LoadString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
