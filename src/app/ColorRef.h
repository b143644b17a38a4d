#pragma once

#include <QColor>

#include <cstdint>

namespace zelvane {

// Colours are kept and stored as 0x00BBGGRR, the layout the settings and files have always
// used; Qt speaks QColor.
inline QColor FromColorRef(std::uint32_t color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

inline std::uint32_t ToColorRef(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red())
        | (static_cast<std::uint32_t>(color.green()) << 8)
        | (static_cast<std::uint32_t>(color.blue()) << 16);
}

} // namespace zelvane
