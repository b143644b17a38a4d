#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelvane {

// The English format of a reason's ID, or an empty view for an ID that names no reason.
std::string_view EnglishReasonFormat(std::uint32_t id);
// Every ID that has an English format, ascending.
std::vector<std::uint32_t> EnglishReasonIds();

} // namespace zelvane
