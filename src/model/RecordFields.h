#pragma once

#include "model/Vector.h"

#include <bit>
#include <cstdint>

namespace zelvane {

// Unchecked little-endian fields of a record whose bytes were all checked to be there: the
// vertex and face lists are most of a model, and are read a record at a time rather than a
// field at a time through the checked reader.
inline std::uint16_t U16At(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t U32At(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
        | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline float F32At(const std::uint8_t* p)
{
    return std::bit_cast<float>(U32At(p));
}

inline Vector3 Vector3At(const std::uint8_t* p)
{
    return {F32At(p), F32At(p + 4), F32At(p + 8)};
}

} // namespace zelvane
