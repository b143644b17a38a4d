#include "motion/VmdFormat.h"

#include "model/NameIds.h"
#include "motion/MotionDocument.h"
#include "text/BinaryReader.h"
#include "text/BinaryWriter.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
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
        throw InvalidArgumentError(Reason(IDS_REASON_VMD_TOO_MANY_KEYS));
    return static_cast<std::uint32_t>(count);
}

} // namespace

VmdFile ReadVmdRecords(std::span<const std::uint8_t> bytes)
{
    BinaryReader in(bytes);
    in.Skip(vmd::kMagicSize); // any magic is accepted
    VmdFile file;
    file.modelName = Cp932FieldToUtf8(in.ReadBytes(vmd::kModelNameSize));

    const std::uint32_t boneCount = in.ReadU32();
    in.RequireRecords(boneCount, vmd::kBoneRecordSize);
    file.bones.resize(boneCount);
    for (VmdBoneRecord& record : file.bones) {
        record.name = Cp932FieldToUtf8(in.ReadBytes(vmd::kNameSize));
        record.frame = in.ReadI32();
        record.translation.x = in.ReadF32();
        record.translation.y = in.ReadF32();
        record.translation.z = in.ReadF32();
        record.rotation.x = in.ReadF32();
        record.rotation.y = in.ReadF32();
        record.rotation.z = in.ReadF32();
        record.rotation.w = in.ReadF32();
        const std::span<const std::uint8_t> block = in.ReadBytes(vmd::kInterpolationSize);
        std::copy_n(block.begin(), record.interpolation.size(), record.interpolation.begin());
    }

    const std::uint32_t morphCount = in.ReadU32();
    in.RequireRecords(morphCount, vmd::kMorphRecordSize);
    file.morphs.resize(morphCount);
    for (VmdMorphRecord& record : file.morphs) {
        record.name = Cp932FieldToUtf8(in.ReadBytes(vmd::kNameSize));
        record.frame = in.ReadI32();
        record.weight = in.ReadF32();
    }
    return file;
}

void ReadVmd(std::span<const std::uint8_t> bytes, CMotionDocument& document)
{
    const VmdFile file = ReadVmdRecords(bytes);
    document.modelName = file.modelName;
    for (const VmdBoneRecord& record : file.bones) {
        CBoneFrame key(record.frame);
        key.translation = record.translation;
        key.rotation = record.rotation;
        const auto& row = record.interpolation;
        for (int c = 0; c < 4; ++c)
            key.curves[c].Set(
                static_cast<std::int8_t>(row[c]), static_cast<std::int8_t>(row[4 + c]),
                static_cast<std::int8_t>(row[8 + c]), static_cast<std::int8_t>(row[12 + c]));
        document.GetBoneSequence(NameToID(record.name)).Insert(key);
    }
    for (const VmdMorphRecord& record : file.morphs)
        document.GetMorphSequence(NameToID(record.name))
            .Insert(CMorphFrame(record.frame, record.weight));
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
