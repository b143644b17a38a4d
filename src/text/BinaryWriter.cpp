#include "text/BinaryWriter.h"

#include "text/Encoding.h"

#include <algorithm>
#include <bit>

namespace zelvane {

void BinaryWriter::WriteU16(std::uint16_t value)
{
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void BinaryWriter::WriteU32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void BinaryWriter::WriteU64(std::uint64_t value)
{
    WriteU32(static_cast<std::uint32_t>(value));
    WriteU32(static_cast<std::uint32_t>(value >> 32));
}

void BinaryWriter::WriteF32(float value)
{
    WriteU32(std::bit_cast<std::uint32_t>(value));
}

void BinaryWriter::WriteBytes(std::span<const std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void BinaryWriter::WriteFixed(std::span<const std::uint8_t> text, std::size_t size)
{
    const std::size_t used = std::min(text.size(), size);
    WriteBytes(text.first(used));
    m_bytes.insert(m_bytes.end(), size - used, 0);
}

void BinaryWriter::WriteArchiveString(std::string_view utf8)
{
    const std::vector<std::uint8_t> units = Utf8ToUtf16Le(utf8);
    const std::uint64_t length = units.size() / 2;
    WriteU8(0xFF);
    WriteU16(0xFFFE);
    if (length < 0xFF) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<std::uint16_t>(length));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        if (length < 0xFFFFFFFFu) {
            WriteU32(static_cast<std::uint32_t>(length));
        } else {
            WriteU32(0xFFFFFFFFu);
            WriteU64(length);
        }
    }
    WriteBytes(units);
}

} // namespace zelvane
