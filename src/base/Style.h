#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelvane {

// The arrangement of a score; the values are stored in files.
enum class Style : std::int32_t {
    SINGLE = 0, // one dancer, one pad (panels 0-3)
    DOUBLE = 1, // one dancer, two pads (panels 0-7)
    COUPLE = 2, // two dancers, one pad each (0-3 and 4-7)
};

constexpr int kStyleCount = 3;

constexpr std::string_view StyleName(Style style)
{
    switch (style) {
    case Style::SINGLE:
        return "SINGLE";
    case Style::DOUBLE:
        return "DOUBLE";
    case Style::COUPLE:
        return "COUPLE";
    }
    return "";
}

constexpr std::optional<Style> StyleFromValue(std::int32_t value)
{
    if (value < 0 || value >= kStyleCount)
        return std::nullopt;
    return static_cast<Style>(value);
}

constexpr std::int32_t StylePanelCount(Style style)
{
    return style == Style::SINGLE ? 4 : 8;
}

constexpr std::int32_t StylePlayerCount(Style style)
{
    return style == Style::COUPLE ? 2 : 1;
}

} // namespace zelvane
