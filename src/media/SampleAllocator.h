#pragma once

#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

namespace zelvane {

// Memory for `bytes` of samples; a block of a song's size is mapped on its own, aligned for
// the kernel's large pages and marked as wanting them, so that filling it takes a few dozen
// page faults rather than tens of thousands. Throws std::bad_alloc.
void* AllocateSampleBlock(std::size_t bytes);
// Gives back a block from AllocateSampleBlock(bytes), with the same `bytes`.
void FreeSampleBlock(void* block, std::size_t bytes) noexcept;

// The allocator of decoded samples. A container using it leaves new elements uninitialised
// when it grows without a value (resize(n)): the decoder writes every sample it keeps, so
// zeroing the room first would only touch a hundred megabytes twice.
template<typename T> class SampleAllocator {
    static_assert(std::is_trivially_default_constructible_v<T>);

public:
    using value_type = T;

    SampleAllocator() noexcept = default;
    template<typename U> explicit SampleAllocator(const SampleAllocator<U>& /*other*/) noexcept { }

    T* allocate(std::size_t count)
    {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateSampleBlock(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept
    {
        FreeSampleBlock(block, count * sizeof(T));
    }

    // Default-initialised, so left as it is; with arguments, constructed from them.
    template<typename U> void construct(U* place) noexcept { ::new (static_cast<void*>(place)) U; }
    template<typename U, typename... Args> void construct(U* place, Args&&... args)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const SampleAllocator& /*a*/, const SampleAllocator& /*b*/) noexcept
    {
        return true;
    }
};

} // namespace zelvane
