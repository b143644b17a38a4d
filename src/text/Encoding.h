#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane {

// Text conversions between the program's UTF-8 strings and the encodings of the files it
// reads and writes. Bytes that do not decode become U+FFFD, one byte at a time, so damaged
// text never stops a load.

std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view utf8);

// Code page 932. A field cut inside a double-byte character decodes up to the last whole
// character.
std::string Cp932ToUtf8(std::span<const std::uint8_t> bytes);
// Characters code page 932 cannot hold become '?'.
std::vector<std::uint8_t> Utf8ToCp932(std::string_view utf8);

// A zero-padded fixed field: the bytes up to the first zero, decoded from code page 932.
std::string Cp932FieldToUtf8(std::span<const std::uint8_t> field);

bool IsValidUtf8(std::span<const std::uint8_t> bytes);
// Valid UTF-8 stays as it is; anything else is read as code page 932.
std::string Utf8OrCp932ToUtf8(std::span<const std::uint8_t> bytes);

inline std::span<const std::uint8_t> AsBytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace zelvane
