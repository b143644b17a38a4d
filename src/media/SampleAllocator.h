#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace zelvane {

// Has the kernel map the memory of [from, from + bytes) ready for writing in one call,
// rather than in one page fault per page as it is first written: a third less of the time
// a song's hundred megabytes take to come into use. Only a hint: a kernel without the call
// leaves the pages to fault in.
void PrepareSampleWrites(void* from, std::size_t bytes) noexcept;

// The allocator of decoded samples. A container using it leaves new elements uninitialised
// when it grows without a value (resize(n)): the decoder writes every sample it keeps, so
// zeroing the room first would only touch a hundred megabytes twice.
template<typename T> class SampleAllocator {
    static_assert(std::is_trivially_default_constructible_v<T>);

public:
    using value_type = T;

    SampleAllocator() noexcept = default;
    template<typename U> explicit SampleAllocator(const SampleAllocator<U>& /*other*/) noexcept { }

    T* allocate(std::size_t count) { return std::allocator<T>().allocate(count); }
    void deallocate(T* block, std::size_t count) noexcept
    {
        std::allocator<T>().deallocate(block, count);
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
