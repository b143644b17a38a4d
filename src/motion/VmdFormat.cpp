#include "motion/VmdFormat.h"

#include "model/NameIds.h"
#include "motion/MotionDocument.h"
#include "text/BinaryReader.h"
#include "text/BinaryWriter.h"
#include "text/Encoding.h"
#include "text/Errors.h"

#include <array>
#include <limits>
#include <string_view>

namespace zelvane {
namespace {

constexpr std::string_view kMagic = "Vocaloid Motion Data 0002";
constexpr int kTrailingSectionCount = 3; // camera, light, self-shadow

// Row 0 of the interpolation block: x1 of the four curves, then y1, x2 and y2.
std::array<std::uint8_t, 16> InterpolationRow(const CBoneFrame& key)
{
    std::array<std::uint8_t, 16> row{};
    for (int c = 0; c < 4; ++c) {
        const InterpolationCurve& curve = key.curves[c];
        row[c] = static_cast<std::uint8_t>(curve.x1());
        row[4 + c] = static_cast<std::uint8_t>(curve.y1());
        row[8 + c] = static_cast<std::uint8_t>(curve.x2());
        row[12 + c] = static_cast<std::uint8_t>(curve.y2());
    }
    return row;
}

void WriteInterpolation(BinaryWriter& out, const CBoneFrame& key)
{
    // Four rows, each the previous one shifted left by a byte with 1, 0, 0 coming in:
    // the layout MMD itself writes.
    const std::array<std::uint8_t, 16> row = InterpolationRow(key);
    static constexpr std::array<std::uint8_t, 3> kTail = {1, 0, 0};
    for (std::size_t shift = 0; shift < 4; ++shift) {
        out.WriteBytes(std::span(row).subspan(shift));
        out.WriteBytes(std::span(kTail).first(shift));
    }
}

void WriteName(BinaryWriter& out, int nameID, std::size_t size)
{
    out.WriteFixed(Utf8ToCp932(IDToName(nameID)), size);
}

std::uint32_t CheckedCount(std::size_t count)
{
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw InvalidArgumentError("too many keys for a VMD file");
    return static_cast<std::uint32_t>(count);
}

} // namespace

void ReadVmd(std::span<const std::uint8_t> bytes, CMotionDocument& document)
{
    BinaryReader in(bytes);
    in.Skip(vmd::kMagicSize); // any magic is accepted
    document.modelName = Cp932FieldToUtf8(in.ReadBytes(vmd::kModelNameSize));

    const std::uint32_t boneCount = in.ReadU32();
    in.RequireRecords(boneCount, vmd::kBoneRecordSize);
    for (std::uint32_t n = 0; n < boneCount; ++n) {
        const int nameID = NameToID(Cp932FieldToUtf8(in.ReadBytes(vmd::kNameSize)));
        CBoneFrame key(in.ReadI32());
        key.translation.x = in.ReadF32();
        key.translation.y = in.ReadF32();
        key.translation.z = in.ReadF32();
        key.rotation.x = in.ReadF32();
        key.rotation.y = in.ReadF32();
        key.rotation.z = in.ReadF32();
        key.rotation.w = in.ReadF32();
        const std::span<const std::uint8_t> block = in.ReadBytes(vmd::kInterpolationSize);
        for (int c = 0; c < 4; ++c) {
            key.curves[c].Set(
                static_cast<std::int8_t>(block[c]), static_cast<std::int8_t>(block[4 + c]),
                static_cast<std::int8_t>(block[8 + c]), static_cast<std::int8_t>(block[12 + c]));
        }
        document.GetBoneSequence(nameID).Insert(key);
    }

    const std::uint32_t morphCount = in.ReadU32();
    in.RequireRecords(morphCount, vmd::kMorphRecordSize);
    for (std::uint32_t n = 0; n < morphCount; ++n) {
        const int nameID = NameToID(Cp932FieldToUtf8(in.ReadBytes(vmd::kNameSize)));
        const std::int32_t frame = in.ReadI32();
        const float weight = in.ReadF32();
        document.GetMorphSequence(nameID).Insert(CMorphFrame(frame, weight));
    }
}

std::vector<std::uint8_t> WriteVmd(const CMotionDocument& document)
{
    BinaryWriter out;
    out.WriteFixed(AsBytes(kMagic), vmd::kMagicSize);
    out.WriteFixed(Utf8ToCp932(document.modelName), vmd::kModelNameSize);

    out.WriteU32(CheckedCount(document.BoneKeyCount()));
    for (const auto& [nameID, sequence] : document.boneSequences) {
        for (const CBoneFrame& key : sequence->keys()) {
            WriteName(out, nameID, vmd::kNameSize);
            out.WriteI32(key.frame);
            out.WriteF32(key.translation.x);
            out.WriteF32(key.translation.y);
            out.WriteF32(key.translation.z);
            out.WriteF32(key.rotation.x);
            out.WriteF32(key.rotation.y);
            out.WriteF32(key.rotation.z);
            out.WriteF32(key.rotation.w);
            WriteInterpolation(out, key);
        }
    }

    out.WriteU32(CheckedCount(document.MorphKeyCount()));
    for (const auto& [nameID, sequence] : document.morphSequences) {
        for (const CMorphFrame& key : sequence->keys()) {
            WriteName(out, nameID, vmd::kNameSize);
            out.WriteI32(key.frame);
            out.WriteF32(key.weight);
        }
    }

    for (int section = 0; section < kTrailingSectionCount; ++section)
        out.WriteU32(0);
    return out.TakeBytes();
}

} // namespace zelvane
