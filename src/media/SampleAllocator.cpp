#include "media/SampleAllocator.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace zelvane {

void PrepareSampleWrites(void* from, std::size_t bytes) noexcept
{
    static const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (bytes == 0)
        return;
    // The call takes whole pages; the page holding `from` may already be partly written,
    // which making it ready again leaves as it is.
    const auto start = reinterpret_cast<std::uintptr_t>(from);
    const std::uintptr_t page = start / pageSize * pageSize;
    madvise(reinterpret_cast<void*>(page), bytes + (start - page), MADV_POPULATE_WRITE);
}

} // namespace zelvane
