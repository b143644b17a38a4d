#include "model/PmxFieldReader.h"

#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/StringTable.h"

namespace zelvane {

std::string CPmxFieldReader::ReadText()
{
    const std::int32_t length = m_reader.ReadI32();
    if (length < 0 || (m_header.encoding == 0 && length % 2 != 0))
        ThrowInvalidValue(IDS_REASON_PMX_TEXT_LENGTH, length);
    const std::span<const std::uint8_t> bytes
        = m_reader.ReadBytes(static_cast<std::size_t>(length));
    if (m_header.encoding == 0)
        return Utf16LeToUtf8(bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::size_t CPmxFieldReader::ReadCount(std::size_t minimumRecordSize)
{
    const std::int32_t count = m_reader.ReadI32();
    if (count < 0)
        ThrowInvalidValue(IDS_REASON_PMX_COUNT, count);
    m_reader.RequireRecords(static_cast<std::uint64_t>(count), minimumRecordSize);
    return static_cast<std::size_t>(count);
}

Vector3 CPmxFieldReader::ReadVector3()
{
    Vector3 v;
    v.x = m_reader.ReadF32();
    v.y = m_reader.ReadF32();
    v.z = m_reader.ReadF32();
    return v;
}

Vector2 CPmxFieldReader::ReadVector2()
{
    Vector2 v;
    v.x = m_reader.ReadF32();
    v.y = m_reader.ReadF32();
    return v;
}

PmxFloat4 CPmxFieldReader::ReadFloat4()
{
    PmxFloat4 v;
    for (float& f : v)
        f = m_reader.ReadF32();
    return v;
}

std::uint32_t CPmxFieldReader::ReadVertexIndex(std::size_t vertexCount)
{
    std::uint32_t index = 0;
    switch (m_header.vertexIndexSize) {
    case 1:
        index = m_reader.ReadU8();
        break;
    case 2:
        index = m_reader.ReadU16();
        break;
    default:
        index = m_reader.ReadU32();
        break;
    }
    if (index >= vertexCount)
        ThrowIndexOutOfRange(index, IDS_REASON_PMD_VERTICES);
    return index;
}

std::int32_t CPmxFieldReader::ReadIndexUnchecked(std::uint8_t size)
{
    switch (size) {
    case 1:
        return m_reader.ReadI8();
    case 2:
        return m_reader.ReadI16();
    default:
        return m_reader.ReadI32();
    }
}

std::int32_t CPmxFieldReader::ReadIndex(std::uint8_t size, std::size_t tableSize,
                                        std::uint32_t table, bool noneAllowed)
{
    const std::int32_t index = ReadIndexUnchecked(size);
    CheckIndex(index, tableSize, table, noneAllowed);
    return index;
}

void CPmxFieldReader::CheckIndex(std::int64_t index, std::size_t tableSize, std::uint32_t table,
                                 bool noneAllowed) const
{
    if (index == -1 && noneAllowed)
        return;
    if (index < 0 || static_cast<std::uint64_t>(index) >= tableSize)
        ThrowIndexOutOfRange(index, table);
}

void CPmxFieldReader::ThrowInvalidValue(std::uint32_t what, std::int64_t value) const
{
    throw FileFormatError(
        Reason(IDS_REASON_PMX_INVALID_VALUE, {Reason(m_section), Reason(what), value}));
}

void CPmxFieldReader::ThrowIndexOutOfRange(std::int64_t index, std::uint32_t table) const
{
    throw InvalidArgumentError(
        Reason(IDS_REASON_PMX_INDEX_OUT_OF_RANGE, {Reason(m_section), index, Reason(table)}));
}

} // namespace zelvane
