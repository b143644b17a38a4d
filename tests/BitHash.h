#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

namespace zelvane::test {

// FNV-1a over the exact bits of what is added: two results hash alike only if every float
// is the same bit for bit. Used to pin long outputs to references recorded from real runs.
class BitHash {
public:
    void Add(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i) {
            m_hash ^= (value >> (8 * i)) & 0xFFu;
            m_hash *= 0x100000001B3ull;
        }
    }
    void Add(std::int32_t value) { Add(static_cast<std::uint32_t>(value)); }
    void Add(float value) { Add(std::bit_cast<std::uint32_t>(value)); }
    void Add(std::string_view text)
    {
        Add(static_cast<std::uint32_t>(text.size()));
        for (const char c : text) {
            m_hash ^= static_cast<std::uint8_t>(c);
            m_hash *= 0x100000001B3ull;
        }
    }

    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xCBF29CE484222325ull;
};

} // namespace zelvane::test
