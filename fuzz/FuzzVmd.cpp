// Feeds arbitrary bytes to the VMD reader alone: it must fail with a core error or give
// records within the bytes it was given.
#include "motion/VmdFormat.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelvane;
    try {
        const VmdFile file = ReadVmdRecords(std::span<const std::uint8_t>(data, size));
        if (file.bones.size() * vmd::kBoneRecordSize + file.morphs.size() * vmd::kMorphRecordSize
            > size)
            std::abort();
    } catch (const CoreError&) {
    }
    return 0;
}
