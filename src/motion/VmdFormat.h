#pragma once

#include "model/Quaternion.h"
#include "model/Vector.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zelvane {

class CMotionDocument;

// The VMD byte layout. Kept apart from the motion classes so the model knows nothing of
// records and padding.
namespace vmd {
constexpr std::size_t kMagicSize = 30;
constexpr std::size_t kModelNameSize = 20;
constexpr std::size_t kNameSize = 15;
constexpr std::size_t kBoneRecordSize = 111;
constexpr std::size_t kMorphRecordSize = 23;
constexpr std::size_t kInterpolationSize = 64;
constexpr std::size_t kHeaderSize = kMagicSize + kModelNameSize;
} // namespace vmd

// A VMD as its records stand, in file order, names decoded to UTF-8.
struct VmdBoneRecord {
    std::string name;
    std::int32_t frame = 0;
    Vector3 translation;
    Quaternion rotation;
    // Row 0 of the interpolation block: x1 of the X, Y, Z and rotation curves, then y1, x2, y2.
    std::array<std::uint8_t, 16> interpolation{};
};

struct VmdMorphRecord {
    std::string name;
    std::int32_t frame = 0;
    float weight = 0.0f;
};

struct VmdFile {
    std::string modelName;
    std::vector<VmdBoneRecord> bones;
    std::vector<VmdMorphRecord> morphs;
};

// Reads the records of a VMD. Every count is checked against the bytes left before anything
// is allocated for it; a short file raises EndOfFileError.
VmdFile ReadVmdRecords(std::span<const std::uint8_t> bytes);

// Reads a VMD into an empty document. Every count is checked against the bytes left before
// anything is allocated for it; a short file raises EndOfFileError. The camera, light and
// self-shadow sections some files carry after the morph keys are not needed and not read.
void ReadVmd(std::span<const std::uint8_t> bytes, CMotionDocument& document);

// Writes the whole file: header, bone keys sequence by sequence, morph keys, then empty
// camera, light and self-shadow sections, which common readers insist on.
std::vector<std::uint8_t> WriteVmd(const CMotionDocument& document);

} // namespace zelvane
