#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvane {

// Bones and morphs are known by one integer across models, motions and the dance
// generator. A name that is a string-table text has that entry's ID (the built-in bone
// names are entries 500 to 552); any other name gets a small dynamic ID, 1, 2, ..., that
// stays the same for the whole run. Safe to call from any thread.
int NameToID(std::string_view name);

// The text of a name ID, or an empty string for an ID nobody registered.
std::string IDToName(int id);

} // namespace zelvane
