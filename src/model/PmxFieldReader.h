#pragma once

#include "model/PmxFile.h"
#include "text/BinaryReader.h"

#include <cstdint>
#include <span>
#include <string>

namespace zelvane {

// The fields of a PMX file whose layout the header settles: texts in the file's encoding and
// indices of 1, 2 or 4 bytes. Every read is checked against the bytes left (EndOfFileError);
// a value no file may hold is refused with a reason naming `section`, the string-table term of
// the part being read, which the caller keeps up to date.
class CPmxFieldReader {
public:
    explicit CPmxFieldReader(std::span<const std::uint8_t> bytes)
        : m_reader(bytes)
    {
    }

    BinaryReader& reader() { return m_reader; }
    const PmxHeader& header() const { return m_header; }
    void SetHeader(const PmxHeader& header) { m_header = header; }
    std::uint32_t section() const { return m_section; }
    void SetSection(std::uint32_t section) { m_section = section; }

    // A length-prefixed text, returned as UTF-8.
    std::string ReadText();
    // A count of a list whose records take at least `minimumRecordSize` bytes each, checked
    // against the bytes left before anything is allocated for it.
    std::size_t ReadCount(std::size_t minimumRecordSize);
    Vector3 ReadVector3();
    Vector2 ReadVector2();
    PmxFloat4 ReadFloat4();

    // A vertex index (unsigned) checked against `vertexCount`.
    std::uint32_t ReadVertexIndex(std::size_t vertexCount);
    // A signed index of `size` bytes, checked to lie in [0, tableSize) or to be -1 where
    // `noneAllowed`; `table` is the term naming the table it points into.
    std::int32_t ReadIndex(std::uint8_t size, std::size_t tableSize, std::uint32_t table,
                           bool noneAllowed);
    std::int32_t ReadIndexUnchecked(std::uint8_t size);

    // Refusals that name the section being read.
    [[noreturn]] void ThrowInvalidValue(std::uint32_t what, std::int64_t value) const;
    [[noreturn]] void ThrowIndexOutOfRange(std::int64_t index, std::uint32_t table) const;
    void CheckIndex(std::int64_t index, std::size_t tableSize, std::uint32_t table,
                    bool noneAllowed) const;

private:
    BinaryReader m_reader;
    PmxHeader m_header;
    std::uint32_t m_section = 0;
};

} // namespace zelvane
