#pragma once

#include "motion/BoneFrameSequence.h"
#include "motion/MorphFrameSequence.h"
#include "motion/SequenceMap.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zelvane {

// A motion for an MMD model: key sequences per bone and per morph, known by name ID, with
// the model name of the file. Read from and written to MMD's VMD format.
class CMotionDocument {
public:
    std::string modelName;
    CSequenceMap<CBoneFrameSequence> boneSequences;
    CSequenceMap<CMorphFrameSequence> morphSequences;

    CBoneFrameSequence& GetBoneSequence(int nameID) { return boneSequences.Get(nameID); }
    CMorphFrameSequence& GetMorphSequence(int nameID) { return morphSequences.Get(nameID); }

    void DeleteContents();

    std::size_t BoneKeyCount() const { return boneSequences.KeyCount(); }
    std::size_t MorphKeyCount() const { return morphSequences.KeyCount(); }

    // Replaces the contents with the VMD in `bytes`. Throws FileFormatError (EndOfFileError
    // for a short file) and leaves the document as it was.
    void Read(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> Write() const;

    void Load(const std::filesystem::path& path);
    // Written to a temporary file beside `path` and renamed into place.
    void Save(const std::filesystem::path& path) const;
};

} // namespace zelvane
