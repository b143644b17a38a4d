// Feeds arbitrary bytes to the PMD reader: it must read them or reject them with the
// invalid-argument error, and never read out of bounds or allocate for counts the data
// cannot hold.

#include "model/ModelInstance.h"
#include "model/PmdReader.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

// Posing costs in proportion to the mesh and the bones; past this size a model is only
// read, so that a few large inputs do not slow every run the fuzzer makes.
constexpr std::size_t kMaxPosedElements = 2000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const auto model = zelvane::ReadModelDocument(std::span(data, size), "/fuzz/");
        // Posing checks every index it follows, so a model that passes must pose safely. The
        // instance bounds its own IK work per frame.
        if (model->vertices.size() + model->bones.size() <= kMaxPosedElements) {
            zelvane::CModelInstance instance(*model);
            instance.Update();
        }
    } catch (const zelvane::CoreError&) {
    }
    return 0;
}
