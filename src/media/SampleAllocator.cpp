#include "media/SampleAllocator.h"

#include <cstdint>
#include <sys/mman.h>

namespace zelvane {
namespace {

// The kernel's large page on x86-64 and most 64-bit ARM systems. On a system whose large
// pages differ the blocks are only aligned more than they need to be.
constexpr std::size_t kLargePage = std::size_t{2} << 20;
// Blocks from this size on are mapped on their own; smaller ones come from the heap.
constexpr std::size_t kMappedFrom = 2 * kLargePage;

std::size_t MappedLength(std::size_t bytes)
{
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

} // namespace

void* AllocateSampleBlock(std::size_t bytes)
{
    if (bytes < kMappedFrom)
        return ::operator new(bytes);
    if (bytes > SIZE_MAX - 2 * kLargePage)
        throw std::bad_alloc();
    // Mapped one large page longer than needed, then trimmed at both ends to an aligned block.
    const std::size_t length = MappedLength(bytes);
    const std::size_t mapped = length + kLargePage;
    void* address
        = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(address);
    const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
    if (aligned > start)
        munmap(address, aligned - start);
    if (const std::uintptr_t end = start + mapped; end > aligned + length)
        munmap(reinterpret_cast<void*>(aligned + length), end - aligned - length);
    auto* block = reinterpret_cast<void*>(aligned);
    // Only advice: where the kernel has no large pages to give, small ones do the same job.
    madvise(block, length, MADV_HUGEPAGE);
    return block;
}

void FreeSampleBlock(void* block, std::size_t bytes) noexcept
{
    if (!block)
        return;
    if (bytes < kMappedFrom) {
        ::operator delete(block);
        return;
    }
    munmap(block, MappedLength(bytes));
}

} // namespace zelvane
