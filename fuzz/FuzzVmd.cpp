// Feeds arbitrary bytes to the VMD reader and writes back whatever it accepted: the reader
// must either fail with a core error or give a document the writer can handle.
#include "motion/MotionDocument.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zelvane::CMotionDocument document;
    try {
        document.Read(std::span<const std::uint8_t>(data, size));
    } catch (const zelvane::CoreError&) {
        return 0;
    }
    for (const auto& entry : document.boneSequences) {
        if (!entry.second->empty())
            (void)entry.second->Sample(entry.second->keys().back().frame / 2);
    }
    (void)document.Write();
    return 0;
}
