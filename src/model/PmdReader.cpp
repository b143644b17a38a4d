#include "model/PmdReader.h"

#include "model/NameIds.h"
#include "model/RecordFields.h"
#include "text/BinaryReader.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <string_view>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zelvane {

namespace {

constexpr std::size_t kHeaderMagicAndVersion = 3 + 4;
constexpr std::size_t kHeaderSize = kHeaderMagicAndVersion + 20 + 256;
constexpr std::size_t kShortTextSize = 20;
constexpr std::size_t kCommentSize = 256;
constexpr std::size_t kGroupNameSize = 50;
constexpr std::size_t kToonNameSize = 100;
constexpr std::size_t kVertexSize = 38;
constexpr std::size_t kMaterialSize = 70;
constexpr std::size_t kBoneSize = 39;
constexpr std::size_t kIKMinimumSize = 11;
constexpr std::size_t kMorphMinimumSize = 25;
constexpr std::size_t kMorphVertexSize = 16;
constexpr std::size_t kBoneDisplaySize = 3;
constexpr std::size_t kRigidBodySize = 83;
constexpr std::size_t kJointSize = 124;

// Fills a model section by section. A list of fixed-size records is checked once against the
// bytes left, before anything is allocated for it, and then decoded without further checks;
// so a count the data cannot hold is refused at once, however large it claims to be. The data may
// end between two sections (older files stop after the bone display list, without English names,
// toon names or physics): the model is what was read. Data that ends inside a section is a cut
// file, and is refused rather than shown as a model with parts missing.
class CPmdReader {
public:
    CPmdReader(std::span<const std::uint8_t> bytes, const std::string& folder,
               CModelDocument& model)
        : m_reader(bytes)
        , m_folder(folder)
        , m_model(model)
    {
    }

    void Read()
    {
        using Step = void (CPmdReader::*)();
        // Each section with the string-table term that names it.
        static constexpr std::pair<std::uint32_t, Step> kSections[] = {
            {IDS_REASON_PMD_HEADER, &CPmdReader::ReadHeader},
            {IDS_REASON_PMD_VERTICES, &CPmdReader::ReadVertices},
            {IDS_REASON_PMD_FACE_INDICES, &CPmdReader::ReadIndices},
            {IDS_REASON_PMD_MATERIALS, &CPmdReader::ReadMaterials},
            {IDS_REASON_PMD_BONES, &CPmdReader::ReadBones},
            {IDS_REASON_PMD_IK_CHAINS, &CPmdReader::ReadIKs},
            {IDS_REASON_PMD_MORPHS, &CPmdReader::ReadMorphs},
            {IDS_REASON_PMD_MORPH_DISPLAY_LIST, &CPmdReader::SkipMorphDisplayList},
            {IDS_REASON_PMD_BONE_GROUPS, &CPmdReader::ReadBoneGroups},
            {IDS_REASON_PMD_BONE_DISPLAY_LIST, &CPmdReader::ReadBoneDisplayList},
            {IDS_REASON_PMD_ENGLISH_NAMES, &CPmdReader::ReadEnglishNames},
            {IDS_REASON_PMD_TOON_NAMES, &CPmdReader::ReadToonNames},
            {IDS_REASON_PMD_RIGID_BODIES, &CPmdReader::ReadRigidBodies},
            {IDS_REASON_PMD_JOINTS, &CPmdReader::ReadJoints},
        };
        for (const auto& [name, read] : kSections) {
            const std::size_t start = m_reader.position();
            try {
                (this->*read)();
            } catch (const EndOfFileError&) {
                if (m_reader.position() == start && m_reader.atEnd())
                    break;
                throw FileFormatError(Reason(IDS_REASON_PMD_CUT_SHORT, {Reason(name)}));
            }
            // Morph vertices name base-morph entries until the list is complete.
            if (read == &CPmdReader::ReadMorphs)
                RemapMorphIndices();
        }
    }

private:
    template<typename T>
    void ReserveFor(std::vector<T>& list, std::uint64_t count, std::size_t minimumRecordSize)
    {
        const std::uint64_t fits = m_reader.remaining() / minimumRecordSize;
        list.reserve(static_cast<std::size_t>(std::min(count, fits)));
    }

    std::string ReadText(std::size_t size) { return Cp932FieldToUtf8(m_reader.ReadBytes(size)); }
    static std::string TextAt(const std::uint8_t* p, std::size_t size)
    {
        return Cp932FieldToUtf8(std::span(p, size));
    }

    Vector3 ReadVector3()
    {
        Vector3 v;
        v.x = m_reader.ReadF32();
        v.y = m_reader.ReadF32();
        v.z = m_reader.ReadF32();
        return v;
    }

    void ReadHeader()
    {
        // Neither the magic nor the version is checked: a file of another kind is read as
        // far as it goes.
        m_reader.Skip(kHeaderMagicAndVersion);
        m_model.name = ReadText(kShortTextSize);
        m_model.comment = ReadText(kCommentSize);
    }

    // The bytes of `count` records of `size` bytes, checked to be there.
    const std::uint8_t* Records(std::uint64_t count, std::size_t size)
    {
        m_reader.RequireRecords(count, size);
        return m_reader.ReadBytes(static_cast<std::size_t>(count) * size).data();
    }

    void ReadVertices()
    {
        const std::uint32_t count = m_reader.ReadU32();
        const std::uint8_t* record = Records(count, kVertexSize);
        m_model.vertices.resize(count);
        for (CModelVertex& vertex : m_model.vertices) {
            vertex.position = Vector3At(record);
            vertex.normal = Vector3At(record + 12);
            vertex.uv = {F32At(record + 24), F32At(record + 28)};
            vertex.bone0 = U16At(record + 32);
            vertex.bone1 = U16At(record + 34);
            vertex.weight = record[36];
            vertex.noEdge = record[37] != 0;
            record += kVertexSize;
        }
    }

    void ReadIndices()
    {
        const std::uint32_t count = m_reader.ReadU32();
        const std::uint8_t* record = Records(count, 2);
        m_model.indices.resize(count);
        const std::size_t vertexCount = m_model.vertices.size();
        for (std::uint32_t& index : m_model.indices) {
            index = U16At(record);
            record += 2;
            // A face corner past the vertices would be drawn from memory the mesh does not own.
            if (index >= vertexCount)
                throw InvalidArgumentError(Reason(
                    IDS_REASON_PMX_INDEX_OUT_OF_RANGE,
                    {Reason(IDS_REASON_PMD_FACE_INDICES), index, Reason(IDS_REASON_PMD_VERTICES)}));
        }
    }

    void ReadMaterials()
    {
        const std::uint32_t count = m_reader.ReadU32();
        const std::uint8_t* record = Records(count, kMaterialSize);
        m_model.materials.resize(count);
        for (CModelMaterial& material : m_model.materials) {
            material.diffuse
                = {F32At(record), F32At(record + 4), F32At(record + 8), F32At(record + 12)};
            material.power = F32At(record + 16);
            const Vector3 specular = Vector3At(record + 20);
            material.specular = {specular.x, specular.y, specular.z, 0.0f};
            const Vector3 ambient = Vector3At(record + 32);
            material.ambient = {ambient.x, ambient.y, ambient.z, 0.0f};
            // The byte is signed: 255, "no toon", reads as -1.
            material.toonIndex
                = static_cast<std::int8_t>(record[44]); // NOLINT(bugprone-signed-char-misuse)
            material.edge = record[45] != 0;
            material.faceVertexCount = static_cast<int>(U32At(record + 46));
            AssignMaterialFileNames(material, TextAt(record + 50, kShortTextSize), m_folder);
            record += kMaterialSize;
        }
    }

    void ReadBones()
    {
        const std::string leftKnee(LoadString(IDS_BONE_LEFT_KNEE));
        const std::string rightKnee(LoadString(IDS_BONE_RIGHT_KNEE));
        const std::uint16_t count = m_reader.ReadU16();
        const std::uint8_t* record = Records(count, kBoneSize);
        m_model.bones.resize(count);
        for (CModelBone& bone : m_model.bones) {
            const std::string name = TextAt(record, kShortTextSize);
            bone.parent = static_cast<std::int16_t>(U16At(record + 20));
            bone.tail = static_cast<std::int16_t>(U16At(record + 22));
            bone.type = record[24];
            bone.ikIndex = static_cast<std::int16_t>(U16At(record + 25));
            bone.position = Vector3At(record + 27);
            bone.nameID = NameToID(name);
            bone.isKnee = name == leftKnee || name == rightKnee;
            record += kBoneSize;
        }
    }

    void ReadIKs()
    {
        const std::uint16_t count = m_reader.ReadU16();
        ReserveFor(m_model.iks, count, kIKMinimumSize);
        for (std::uint16_t i = 0; i < count; ++i) {
            CModelIK ik;
            ik.ikBone = m_reader.ReadU16();
            ik.effector = m_reader.ReadU16();
            const std::uint8_t links = m_reader.ReadU8();
            ik.iterations = m_reader.ReadU16();
            ik.limitAngle = m_reader.ReadF32();
            m_reader.RequireRecords(links, 2);
            ik.chain.reserve(links);
            for (std::uint8_t k = 0; k < links; ++k)
                ik.chain.push_back(m_reader.ReadU16());
            m_model.iks.push_back(std::move(ik));
        }
    }

    void ReadMorphs()
    {
        const std::uint16_t count = m_reader.ReadU16();
        ReserveFor(m_model.morphs, count, kMorphMinimumSize);
        for (std::uint16_t i = 0; i < count; ++i) {
            CModelMorph morph;
            morph.nameID = NameToID(ReadText(kShortTextSize));
            const std::uint32_t vertexCount = m_reader.ReadU32();
            morph.type = m_reader.ReadU8();
            const std::uint8_t* record = Records(vertexCount, kMorphVertexSize);
            morph.vertices.resize(vertexCount);
            for (CModelMorphVertex& vertex : morph.vertices) {
                vertex.index = static_cast<int>(U32At(record));
                vertex.offset = Vector3At(record + 4);
                record += kMorphVertexSize;
            }
            m_model.morphs.push_back(std::move(morph));
        }
    }

    // Ordinary morphs list their vertices by position in the base morph; after this they
    // address model vertices directly, as the base morph does.
    void RemapMorphIndices()
    {
        const CModelMorph* base = nullptr;
        for (const CModelMorph& morph : m_model.morphs) {
            if (morph.type == CModelMorph::kBaseType)
                base = &morph;
        }
        for (CModelMorph& morph : m_model.morphs) {
            if (morph.type == CModelMorph::kBaseType)
                continue;
            if (!base) {
                // Without a base morph the offsets name no vertex at all.
                morph.vertices.clear();
                continue;
            }
            for (CModelMorphVertex& vertex : morph.vertices) {
                // The index was read from an unsigned field: anything that became negative is
                // as far out of range as a large one.
                if (vertex.index < 0
                    || static_cast<std::size_t>(vertex.index) >= base->vertices.size())
                    throw InvalidArgumentError(Reason(IDS_REASON_MORPH_OUTSIDE_BASE));
                vertex.index = base->vertices[static_cast<std::size_t>(vertex.index)].index;
            }
        }
    }

    void SkipMorphDisplayList()
    {
        const std::uint8_t count = m_reader.ReadU8();
        m_reader.Skip(std::size_t{count} * 2);
    }

    void ReadBoneGroups()
    {
        const std::uint8_t count = m_reader.ReadU8();
        const std::uint8_t* record = Records(count, kGroupNameSize);
        m_model.boneGroups.resize(count);
        for (CModelBoneGroup& group : m_model.boneGroups) {
            group.name = TextAt(record, kGroupNameSize);
            record += kGroupNameSize;
        }
    }

    void ReadBoneDisplayList()
    {
        const std::uint32_t count = m_reader.ReadU32();
        const std::uint8_t* record = Records(count, kBoneDisplaySize);
        for (std::uint32_t i = 0; i < count; ++i, record += kBoneDisplaySize) {
            const std::uint16_t bone = U16At(record);
            const std::uint8_t group = record[2];
            if (bone >= m_model.bones.size())
                throw InvalidArgumentError(Reason(IDS_REASON_DISPLAY_BONE_MISSING));
            if (group == 0 || group > m_model.boneGroups.size())
                throw InvalidArgumentError(Reason(IDS_REASON_DISPLAY_GROUP_MISSING));
            m_model.boneGroups[group - 1].bones.push_back(bone);
        }
    }

    void ReadEnglishNames()
    {
        if (m_reader.ReadU8() == 0)
            return;
        m_model.englishName = ReadText(kShortTextSize);
        m_model.englishComment = ReadText(kCommentSize);
        for (CModelBone& bone : m_model.bones)
            bone.englishName = ReadText(kShortTextSize);
        // The base morph has no English name.
        for (CModelMorph& morph : m_model.morphs) {
            if (morph.type != CModelMorph::kBaseType)
                morph.englishName = ReadText(kShortTextSize);
        }
        for (CModelBoneGroup& group : m_model.boneGroups)
            group.englishName = ReadText(kGroupNameSize);
    }

    void ReadToonNames()
    {
        for (std::string& path : m_model.toonPaths)
            path = m_folder + ReadText(kToonNameSize);
    }

    void ReadRigidBodies()
    {
        const std::uint32_t count = m_reader.ReadU32();
        const std::uint8_t* record = Records(count, kRigidBodySize);
        m_model.rigidBodies.resize(count);
        for (CRigidBody& body : m_model.rigidBodies) {
            body.name = TextAt(record, kShortTextSize);
            body.bone = U16At(record + 20);
            body.group = record[22];
            body.groupMask = U16At(record + 23);
            body.shape = record[25];
            body.size = Vector3At(record + 26);
            body.position = Vector3At(record + 38);
            body.rotation = Vector3At(record + 50);
            body.mass = F32At(record + 62);
            body.linearDamping = F32At(record + 66);
            body.angularDamping = F32At(record + 70);
            body.restitution = F32At(record + 74);
            body.friction = F32At(record + 78);
            body.type = record[82];
            record += kRigidBodySize;
        }
    }

    void ReadJoints()
    {
        const std::uint32_t count = m_reader.ReadU32();
        const std::uint8_t* record = Records(count, kJointSize);
        m_model.joints.resize(count);
        for (CJoint& joint : m_model.joints) {
            joint.name = TextAt(record, kShortTextSize);
            joint.bodyA = static_cast<std::int32_t>(U32At(record + 20));
            joint.bodyB = static_cast<std::int32_t>(U32At(record + 24));
            Vector3* const fields[]
                = {&joint.position,          &joint.rotation,      &joint.translationMin,
                   &joint.translationMax,    &joint.rotationMin,   &joint.rotationMax,
                   &joint.springTranslation, &joint.springRotation};
            for (std::size_t f = 0; f < std::size(fields); ++f)
                *fields[f] = Vector3At(record + 28 + 12 * f);
            record += kJointSize;
        }
    }

    BinaryReader m_reader;
    const std::string& m_folder;
    CModelDocument& m_model;
};

// A model takes a few megabytes in blocks of a few hundred kilobytes: the file's bytes, the
// vertex list, the instance's skinning arrays. By default the C library maps such blocks
// afresh and gives them back at once, or trims them off the heap, so every load pays again
// for the kernel to clear those pages. Blocks up to 32 MB are kept in the heap for reuse
// instead. This hides no leak: memory still freed is only reused, never freed twice or lost,
// and the leak checker of the sanitizer builds replaces this allocator altogether.
void KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    static const bool kept = [] {
        constexpr int kKeep = 32 * 1024 * 1024;
        return mallopt(M_MMAP_THRESHOLD, kKeep) == 1 && mallopt(M_TRIM_THRESHOLD, kKeep) == 1;
    }();
    static_cast<void>(kept);
#endif
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace

void AssignMaterialFileNames(CModelMaterial& material, const std::string& field,
                             const std::string& modelFolder)
{
    std::string_view rest(field);
    while (!rest.empty()) {
        const std::size_t star = rest.find('*');
        const std::string_view piece = rest.substr(0, star);
        rest = star == std::string_view::npos ? std::string_view() : rest.substr(star + 1);
        if (piece.empty())
            continue;
        // The suffixes are ASCII, so comparing the last bytes of the UTF-8 text compares
        // its last four characters; the comparison is case-sensitive on purpose.
        if (EndsWith(piece, ".spa")) {
            material.spherePath = modelFolder + std::string(piece);
            material.sphereAdd = true;
        } else if (EndsWith(piece, ".sph")) {
            material.spherePath = modelFolder + std::string(piece);
            material.sphereAdd = false;
        } else {
            material.texturePath = modelFolder + std::string(piece);
        }
    }
}

std::unique_ptr<CModelDocument> ReadModelDocument(std::span<const std::uint8_t> bytes,
                                                  const std::string& modelFolder)
{
    // A file too short for even the header is no model at all; taking it as an empty one
    // would report a wrong file as a success.
    if (bytes.size() < kHeaderSize)
        throw FileFormatError(Reason(IDS_REASON_PMD_TOO_SHORT));
    auto model = std::make_unique<CModelDocument>();
    CPmdReader(bytes, modelFolder, *model).Read();
    return model;
}

std::unique_ptr<CModelDocument> LoadModelDocument(const std::filesystem::path& path)
{
    KeepFreedMemoryForReuse();
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path, kMaxModelFileBytes);
    std::string folder = std::filesystem::absolute(path).parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return ReadModelDocument(bytes, folder);
}

} // namespace zelvane
