#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zelvane {

// Appends little-endian values to a growing block of bytes.
class BinaryWriter {
public:
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_bytes); }

    void WriteU8(std::uint8_t value) { m_bytes.push_back(value); }
    void WriteU16(std::uint16_t value);
    void WriteI16(std::int16_t value) { WriteU16(static_cast<std::uint16_t>(value)); }
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
    void WriteU64(std::uint64_t value);
    void WriteF32(float value);
    void WriteBytes(std::span<const std::uint8_t> bytes);
    // Writes `text` into a field of exactly `size` bytes, cut at the limit, zero-padded.
    void WriteFixed(std::span<const std::uint8_t> text, std::size_t size);

    // The length-prefixed string of the document and clipboard archives, always in the
    // UTF-16 form: 0xFF, 0xFFFE, the length in code units, then the code units.
    void WriteArchiveString(std::string_view utf8);

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace zelvane
