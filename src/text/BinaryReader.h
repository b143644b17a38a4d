#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zelvane {

// Reads little-endian values from a block of bytes it does not own. Every read is checked
// against what is left, so a damaged file raises EndOfFileError instead of reading past
// its end; counts can be checked with Require() before anything is allocated for them.
class BinaryReader {
public:
    explicit BinaryReader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }

    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_bytes.size() - m_position; }
    bool atEnd() const { return m_position == m_bytes.size(); }

    // Throws EndOfFileError unless at least `count` bytes are left.
    void Require(std::size_t count) const;
    // Throws EndOfFileError unless `count` records of `recordSize` bytes are left.
    void RequireRecords(std::uint64_t count, std::size_t recordSize) const;

    std::uint8_t ReadU8();
    std::int8_t ReadI8() { return static_cast<std::int8_t>(ReadU8()); }
    std::uint16_t ReadU16();
    std::int16_t ReadI16() { return static_cast<std::int16_t>(ReadU16()); }
    std::uint32_t ReadU32();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    std::uint64_t ReadU64();
    float ReadF32();
    std::span<const std::uint8_t> ReadBytes(std::size_t count);
    // The bytes left, without reading them: for a caller that walks many small records
    // itself, checking each against the end of this, and then Skips what it read.
    std::span<const std::uint8_t> Rest() const { return m_bytes.subspan(m_position); }
    void Skip(std::size_t count) { ReadBytes(count); }

    // The length-prefixed string of the document and clipboard archives, returned as UTF-8.
    // Accepts the UTF-16 form (0xFF, 0xFFFE marker) and the 8-bit form in code page 932.
    std::string ReadArchiveString();

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

} // namespace zelvane
