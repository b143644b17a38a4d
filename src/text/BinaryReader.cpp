#include "text/BinaryReader.h"

#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <bit>
#include <cstring>

namespace zelvane {

void BinaryReader::Require(std::size_t count) const
{
    if (count > remaining())
        throw EndOfFileError(Reason(IDS_REASON_DATA_ENDS));
}

void BinaryReader::RequireRecords(std::uint64_t count, std::size_t recordSize) const
{
    if (recordSize != 0 && count > remaining() / recordSize)
        throw EndOfFileError(Reason(IDS_REASON_RECORDS_MISSING));
}

std::uint8_t BinaryReader::ReadU8()
{
    Require(1);
    return m_bytes[m_position++];
}

std::uint16_t BinaryReader::ReadU16()
{
    Require(2);
    const std::uint8_t* p = m_bytes.data() + m_position;
    m_position += 2;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t BinaryReader::ReadU32()
{
    Require(4);
    const std::uint8_t* p = m_bytes.data() + m_position;
    m_position += 4;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint64_t BinaryReader::ReadU64()
{
    const std::uint64_t low = ReadU32();
    const std::uint64_t high = ReadU32();
    return low | (high << 32);
}

float BinaryReader::ReadF32()
{
    return std::bit_cast<float>(ReadU32());
}

std::span<const std::uint8_t> BinaryReader::ReadBytes(std::size_t count)
{
    Require(count);
    auto result = m_bytes.subspan(m_position, count);
    m_position += count;
    return result;
}

std::string BinaryReader::ReadArchiveString()
{
    // The prefix escalates: a byte below 0xFF, else 0xFF and a uint16 below 0xFFFE, else
    // 0xFFFF and a uint32 below 0xFFFFFFFF, else a uint64. A uint16 of 0xFFFE right after
    // the first 0xFF marks UTF-16 text, and the prefix starts over after it.
    bool wide = false;
    std::uint64_t length = ReadU8();
    if (length == 0xFF) {
        std::uint16_t length16 = ReadU16();
        if (length16 == 0xFFFE) {
            wide = true;
            length = ReadU8();
            if (length == 0xFF)
                length16 = ReadU16();
        }
        if (length == 0xFF) {
            length = length16;
            if (length16 >= 0xFFFE) {
                length = ReadU32();
                if (length == 0xFFFFFFFFu)
                    length = ReadU64();
            }
        }
    }

    if (wide) {
        RequireRecords(length, 2);
        auto units = ReadBytes(static_cast<std::size_t>(length) * 2);
        return Utf16LeToUtf8(units);
    }
    RequireRecords(length, 1);
    auto bytes = ReadBytes(static_cast<std::size_t>(length));
    return Cp932ToUtf8(bytes);
}

} // namespace zelvane
