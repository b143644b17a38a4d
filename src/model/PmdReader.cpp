#include "model/PmdReader.h"

#include "model/NameIds.h"
#include "text/BinaryReader.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <string_view>

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
constexpr std::size_t kRigidBodySize = 83;
constexpr std::size_t kJointSize = 124;

// Fills a model section by section. Counts only bound what is reserved, never more than the
// bytes left could hold. The data may end between two sections (older files stop after the
// bone display list, without English names, toon names or physics): the model is what was
// read. Data that ends inside a section is a cut file, and is refused rather than shown as a
// model with parts missing.
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
        static constexpr std::pair<const char*, Step> kSections[] = {
            {"header", &CPmdReader::ReadHeader},
            {"vertices", &CPmdReader::ReadVertices},
            {"face indices", &CPmdReader::ReadIndices},
            {"materials", &CPmdReader::ReadMaterials},
            {"bones", &CPmdReader::ReadBones},
            {"IK chains", &CPmdReader::ReadIKs},
            {"morphs", &CPmdReader::ReadMorphs},
            {"morph display list", &CPmdReader::SkipMorphDisplayList},
            {"bone groups", &CPmdReader::ReadBoneGroups},
            {"bone display list", &CPmdReader::ReadBoneDisplayList},
            {"English names", &CPmdReader::ReadEnglishNames},
            {"toon names", &CPmdReader::ReadToonNames},
            {"rigid bodies", &CPmdReader::ReadRigidBodies},
            {"joints", &CPmdReader::ReadJoints},
        };
        for (const auto& [name, read] : kSections) {
            const std::size_t start = m_reader.position();
            try {
                (this->*read)();
            } catch (const EndOfFileError&) {
                if (m_reader.position() == start && m_reader.atEnd())
                    break;
                throw FileFormatError(std::string("the model file is cut short inside its ")
                                      + name);
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

    void ReadVertices()
    {
        const std::uint32_t count = m_reader.ReadU32();
        ReserveFor(m_model.vertices, count, kVertexSize);
        for (std::uint32_t i = 0; i < count; ++i) {
            CModelVertex vertex;
            vertex.position = ReadVector3();
            vertex.normal = ReadVector3();
            vertex.uv.x = m_reader.ReadF32();
            vertex.uv.y = m_reader.ReadF32();
            vertex.bone0 = m_reader.ReadU16();
            vertex.bone1 = m_reader.ReadU16();
            vertex.weight = m_reader.ReadU8();
            vertex.noEdge = m_reader.ReadU8() != 0;
            m_model.vertices.push_back(vertex);
        }
    }

    void ReadIndices()
    {
        const std::uint32_t count = m_reader.ReadU32();
        ReserveFor(m_model.indices, count, 2);
        for (std::uint32_t i = 0; i < count; ++i)
            m_model.indices.push_back(m_reader.ReadU16());
    }

    void ReadMaterials()
    {
        const std::uint32_t count = m_reader.ReadU32();
        ReserveFor(m_model.materials, count, kMaterialSize);
        for (std::uint32_t i = 0; i < count; ++i) {
            CModelMaterial material;
            material.diffuse.r = m_reader.ReadF32();
            material.diffuse.g = m_reader.ReadF32();
            material.diffuse.b = m_reader.ReadF32();
            material.diffuse.a = m_reader.ReadF32();
            material.power = m_reader.ReadF32();
            const Vector3 specular = ReadVector3();
            material.specular = {specular.x, specular.y, specular.z, 0.0f};
            const Vector3 ambient = ReadVector3();
            material.ambient = {ambient.x, ambient.y, ambient.z, 0.0f};
            material.toonIndex = m_reader.ReadI8();
            material.edge = m_reader.ReadU8() != 0;
            material.faceVertexCount = static_cast<int>(m_reader.ReadU32());
            AssignMaterialFileNames(material, ReadText(kShortTextSize), m_folder);
            m_model.materials.push_back(std::move(material));
        }
    }

    void ReadBones()
    {
        const std::string leftKnee(LoadString(IDS_BONE_LEFT_KNEE));
        const std::string rightKnee(LoadString(IDS_BONE_RIGHT_KNEE));
        const std::uint16_t count = m_reader.ReadU16();
        ReserveFor(m_model.bones, count, kBoneSize);
        for (std::uint16_t i = 0; i < count; ++i) {
            CModelBone bone;
            const std::string name = ReadText(kShortTextSize);
            bone.parent = m_reader.ReadI16();
            bone.tail = m_reader.ReadI16();
            bone.type = m_reader.ReadU8();
            bone.ikIndex = m_reader.ReadI16();
            bone.position = ReadVector3();
            bone.nameID = NameToID(name);
            bone.isKnee = name == leftKnee || name == rightKnee;
            m_model.bones.push_back(std::move(bone));
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
            m_reader.RequireRecords(vertexCount, kMorphVertexSize);
            morph.vertices.reserve(vertexCount);
            for (std::uint32_t k = 0; k < vertexCount; ++k) {
                CModelMorphVertex vertex;
                vertex.index = static_cast<int>(m_reader.ReadU32());
                vertex.offset = ReadVector3();
                morph.vertices.push_back(vertex);
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
                    throw InvalidArgumentError("a morph names a vertex outside the base morph");
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
        for (std::uint8_t i = 0; i < count; ++i) {
            CModelBoneGroup group;
            group.name = ReadText(kGroupNameSize);
            m_model.boneGroups.push_back(std::move(group));
        }
    }

    void ReadBoneDisplayList()
    {
        const std::uint32_t count = m_reader.ReadU32();
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint16_t bone = m_reader.ReadU16();
            const std::uint8_t group = m_reader.ReadU8();
            if (bone >= m_model.bones.size())
                throw InvalidArgumentError("a bone display entry names a bone that does not exist");
            if (group == 0 || group > m_model.boneGroups.size())
                throw InvalidArgumentError(
                    "a bone display entry names a group that does not exist");
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
        ReserveFor(m_model.rigidBodies, count, kRigidBodySize);
        for (std::uint32_t i = 0; i < count; ++i) {
            CRigidBody body;
            body.name = ReadText(kShortTextSize);
            body.bone = m_reader.ReadU16();
            body.group = m_reader.ReadU8();
            body.groupMask = m_reader.ReadU16();
            body.shape = m_reader.ReadU8();
            body.size = ReadVector3();
            body.position = ReadVector3();
            body.rotation = ReadVector3();
            body.mass = m_reader.ReadF32();
            body.linearDamping = m_reader.ReadF32();
            body.angularDamping = m_reader.ReadF32();
            body.restitution = m_reader.ReadF32();
            body.friction = m_reader.ReadF32();
            body.type = m_reader.ReadU8();
            m_model.rigidBodies.push_back(std::move(body));
        }
    }

    void ReadJoints()
    {
        const std::uint32_t count = m_reader.ReadU32();
        ReserveFor(m_model.joints, count, kJointSize);
        for (std::uint32_t i = 0; i < count; ++i) {
            CJoint joint;
            joint.name = ReadText(kShortTextSize);
            joint.bodyA = m_reader.ReadI32();
            joint.bodyB = m_reader.ReadI32();
            joint.position = ReadVector3();
            joint.rotation = ReadVector3();
            joint.translationMin = ReadVector3();
            joint.translationMax = ReadVector3();
            joint.rotationMin = ReadVector3();
            joint.rotationMax = ReadVector3();
            joint.springTranslation = ReadVector3();
            joint.springRotation = ReadVector3();
            m_model.joints.push_back(std::move(joint));
        }
    }

    BinaryReader m_reader;
    const std::string& m_folder;
    CModelDocument& m_model;
};

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
        throw FileFormatError("not a PMD model: the file is shorter than a model's header");
    auto model = std::make_unique<CModelDocument>();
    CPmdReader(bytes, modelFolder, *model).Read();
    return model;
}

std::unique_ptr<CModelDocument> LoadModelDocument(const std::filesystem::path& path)
{
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    std::string folder = std::filesystem::absolute(path).parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return ReadModelDocument(bytes, folder);
}

} // namespace zelvane
