#pragma once

#include <nlohmann/json.hpp>

namespace zelvane {

class CModelDocument;

// What `zelvane-cli info FILE.pmd --json` prints: the model's texts and counts, and every
// material, bone, IK chain, morph and bone group with the fields a reader of the model
// cares about. Bone and morph names are given as text, bones also by name ID.
nlohmann::json PmdToJson(const CModelDocument& model);

} // namespace zelvane
