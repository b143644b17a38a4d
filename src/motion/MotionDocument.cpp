#include "motion/MotionDocument.h"

#include "motion/VmdFormat.h"
#include "text/FileIo.h"

#include <utility>

namespace zelvane {

void CMotionDocument::DeleteContents()
{
    modelName.clear();
    boneSequences.Clear();
    morphSequences.Clear();
}

void CMotionDocument::Read(std::span<const std::uint8_t> bytes)
{
    // Read aside, so a damaged file never leaves this document half replaced.
    CMotionDocument loaded;
    ReadVmd(bytes, loaded);
    *this = std::move(loaded);
}

std::vector<std::uint8_t> CMotionDocument::Write() const
{
    return WriteVmd(*this);
}

void CMotionDocument::Load(const std::filesystem::path& path)
{
    Read(ReadWholeFile(path, kMaxMotionFileBytes));
}

void CMotionDocument::Save(const std::filesystem::path& path) const
{
    WriteFileAtomically(path, Write());
}

} // namespace zelvane
