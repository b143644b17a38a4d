#pragma once

#include <nlohmann/json.hpp>
#include <span>

namespace zelvane::cli {

// What `info FILE.vmd --json` prints: the keys in the order the file holds them.
nlohmann::json VmdToJson(std::span<const std::uint8_t> bytes);

} // namespace zelvane::cli
