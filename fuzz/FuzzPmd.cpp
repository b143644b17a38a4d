// Feeds arbitrary bytes to the PMD reader: it must read them or reject them with the
// invalid-argument error, and never read out of bounds or allocate for counts the data
// cannot hold.

#include "model/ModelInstance.h"
#include "model/PmdReader.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const auto model = zelvane::ReadModelDocument(std::span(data, size), "/fuzz/");
        // Posing checks every index it follows; a model that passes must pose safely. Models
        // asking for millions of IK steps are only slow, which is not what this looks for.
        long long ikSteps = 0;
        for (const zelvane::CModelIK& ik : model->iks)
            ikSteps
                += static_cast<long long>(ik.iterations) * static_cast<long long>(ik.chain.size());
        zelvane::CModelInstance instance(*model);
        if (ikSteps < 100000)
            instance.Update();
    } catch (const zelvane::CoreError&) {
    }
    return 0;
}
