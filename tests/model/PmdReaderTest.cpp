#include "model/PmdReader.h"
#include "PmdTestWriter.h"
#include "TestData.h"
#include "model/ModelMeasurements.h"
#include "model/NameIds.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

const std::string kFolder = "/models/dancer/";

PmdFile SampleFile()
{
    PmdFile file;
    file.name = "テスト";
    file.comment = "コメント\n二行目";
    file.vertices = {
        {0, 1, 2, 0, 1, 0, 0.25f, 0.5f, 0, 0, 100, 0},
        {1, 2, 3, 1, 0, 0, 0.75f, 1.0f, 1, 2, 30, 1},
        {2, 3, 4, 0, 0, 1, 0, 0, 0xFFFF, 0xFFFF, 0, 0},
        {3, 4, 5, 0, 1, 0, 1, 1, 3, 4, 50, 0},
    };
    file.indices = {0, 1, 2, 1, 2, 3};
    PmdMaterial skin;
    skin.toon = -1;
    skin.faceVertexCount = 3;
    skin.fileNames = "skin.bmp*env.sph";
    PmdMaterial glow;
    glow.diffuse[3] = 0.5f;
    glow.toon = 2;
    glow.edge = 0;
    glow.faceVertexCount = 3;
    glow.fileNames = "*glow.spa";
    file.materials = {skin, glow};
    file.bones = {
        {"センター", -1, 1, 1, 0, 0, 8, 0, "center"},
        {"左足", 0, 2, 0, 0, 1, 10, 0, "leg_L"},
        {"左ひざ", 1, 3, 0, 0, 1, 5, 0, "knee_L"},
        {"左足首", 2, -1, 0, 0, 1, 1, 0, "ankle_L"},
        {"左足ＩＫ", 0, -1, 2, 0, 1, 1, 0, "leg IK_L"},
        {"左つま先ＩＫ", 4, -1, 2, 0, 1, 0, -2, "toe IK_L"},
    };
    file.iks = {{4, 3, 40, 0.5f, {2, 1}}};
    file.morphs = {
        {"base", 0, {{1, 1, 2, 3}, {3, 3, 4, 5}}, ""},
        {"笑い", 1, {{1, 0.5f, 0, 0}}, "smile"},
        {"まばたき", 2, {{0, 0, -0.25f, 0}}, "blink"},
    };
    file.morphDisplay = {1, 2};
    file.boneGroups = {"体", "足"};
    file.boneGroupEnglishNames = {"Body", "Legs"};
    file.boneDisplay = {{1, 2}, {2, 2}, {0, 1}};
    file.englishName = "Test";
    file.englishComment = "Comment";
    file.toons[0] = "toon01.bmp";
    file.toons[9] = "mine.bmp";
    file.rigidBodies = 2;
    file.joints = 1;
    return file;
}

std::unique_ptr<CModelDocument> Read(const std::vector<std::uint8_t>& bytes,
                                     std::size_t length = SIZE_MAX)
{
    return ReadModelDocument(std::span(bytes).first(std::min(length, bytes.size())), kFolder);
}

} // namespace

TEST(PmdReader, ReadsEverySection)
{
    const auto model = Read(WritePmd(SampleFile()));
    EXPECT_EQ(model->name, "テスト");
    EXPECT_EQ(model->comment, "コメント\n二行目");
    EXPECT_EQ(model->englishName, "Test");
    EXPECT_EQ(model->englishComment, "Comment");

    ASSERT_EQ(model->vertices.size(), 4u);
    const CModelVertex& v1 = model->vertices[1];
    EXPECT_EQ(v1.position, (Vector3{1, 2, 3}));
    EXPECT_EQ(v1.normal, (Vector3{1, 0, 0}));
    EXPECT_EQ(v1.uv, (Vector2{0.75f, 1.0f}));
    EXPECT_EQ(v1.bone0, 1);
    EXPECT_EQ(v1.bone1, 2);
    EXPECT_EQ(v1.weight, 30);
    EXPECT_TRUE(v1.noEdge);
    EXPECT_FALSE(model->vertices[0].noEdge);
    // Vertex bone numbers are unsigned: 0xFFFF is not a "no bone" marker.
    EXPECT_EQ(model->vertices[2].bone0, 65535);
    EXPECT_EQ(model->indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 2, 3}));

    ASSERT_EQ(model->materials.size(), 2u);
    const CModelMaterial& skin = model->materials[0];
    EXPECT_EQ(skin.diffuse, (Color4{1, 1, 1, 1}));
    EXPECT_EQ(skin.ambient, (Color4{0.5f, 0.5f, 0.5f, 0}));
    EXPECT_EQ(skin.power, 5.0f);
    EXPECT_EQ(skin.toonIndex, -1);
    EXPECT_TRUE(skin.edge);
    EXPECT_EQ(skin.faceVertexCount, 3);
    EXPECT_EQ(skin.texturePath, kFolder + "skin.bmp");
    EXPECT_EQ(skin.spherePath, kFolder + "env.sph");
    EXPECT_FALSE(skin.sphereAdd);
    const CModelMaterial& glow = model->materials[1];
    EXPECT_EQ(glow.toonIndex, 2);
    EXPECT_FALSE(glow.edge);
    EXPECT_EQ(glow.diffuse.a, 0.5f);
    EXPECT_EQ(glow.texturePath, "");
    EXPECT_EQ(glow.spherePath, kFolder + "glow.spa");
    EXPECT_TRUE(glow.sphereAdd);

    ASSERT_EQ(model->bones.size(), 6u);
    EXPECT_EQ(model->bones[0].nameID, 500);
    EXPECT_EQ(model->bones[0].parent, -1);
    EXPECT_EQ(model->bones[0].englishName, "center");
    EXPECT_EQ(model->bones[2].nameID, 509);
    EXPECT_TRUE(model->bones[2].isKnee);
    EXPECT_FALSE(model->bones[1].isKnee);
    EXPECT_EQ(model->bones[2].parent, 1);
    EXPECT_EQ(model->bones[2].tail, 3);
    EXPECT_EQ(model->bones[3].tail, -1);
    EXPECT_EQ(model->bones[4].type, 2);
    EXPECT_EQ(model->bones[5].position, (Vector3{1, 0, -2}));
    EXPECT_EQ(model->FindBone(507), &model->bones[4]);
    EXPECT_EQ(model->FindBone(502), nullptr);
    EXPECT_EQ(IDToName(model->bones[3].nameID), "左足首");

    ASSERT_EQ(model->iks.size(), 1u);
    EXPECT_EQ(model->iks[0].ikBone, 4);
    EXPECT_EQ(model->iks[0].effector, 3);
    EXPECT_EQ(model->iks[0].iterations, 40);
    EXPECT_EQ(model->iks[0].limitAngle, 0.5f);
    EXPECT_EQ(model->iks[0].chain, (std::vector<std::uint16_t>{2, 1}));

    // Ordinary morphs now address model vertices through the base morph.
    ASSERT_EQ(model->morphs.size(), 3u);
    EXPECT_EQ(model->morphs[0].vertices[1].index, 3);
    EXPECT_EQ(model->morphs[0].englishName, "");
    EXPECT_EQ(model->morphs[1].vertices[0].index, 3);
    EXPECT_EQ(model->morphs[1].vertices[0].offset, (Vector3{0.5f, 0, 0}));
    EXPECT_EQ(model->morphs[1].englishName, "smile");
    EXPECT_EQ(model->morphs[2].vertices[0].index, 1);
    EXPECT_EQ(model->morphs[2].type, 2);
    EXPECT_EQ(model->morphs[2].englishName, "blink");

    ASSERT_EQ(model->boneGroups.size(), 2u);
    EXPECT_EQ(model->boneGroups[0].name, "体");
    EXPECT_EQ(model->boneGroups[1].englishName, "Legs");
    EXPECT_EQ(model->boneGroups[0].bones, (std::vector<int>{0}));
    EXPECT_EQ(model->boneGroups[1].bones, (std::vector<int>{1, 2}));

    EXPECT_EQ(model->toonPaths[0], kFolder + "toon01.bmp");
    EXPECT_EQ(model->toonPaths[1], kFolder);
    EXPECT_EQ(model->toonPaths[9], kFolder + "mine.bmp");

    ASSERT_EQ(model->rigidBodies.size(), 2u);
    const CRigidBody& body = model->rigidBodies[1];
    EXPECT_EQ(body.name, "body1");
    EXPECT_EQ(body.bone, 1);
    EXPECT_EQ(body.group, 3);
    EXPECT_EQ(body.groupMask, 0xFFFE);
    EXPECT_EQ(body.shape, 1);
    EXPECT_EQ(body.size, (Vector3{100, 101, 102}));
    EXPECT_EQ(body.rotation, (Vector3{106, 107, 108}));
    EXPECT_EQ(body.mass, 109.0f);
    EXPECT_EQ(body.friction, 113.0f);
    EXPECT_EQ(body.type, 2);
    ASSERT_EQ(model->joints.size(), 1u);
    EXPECT_EQ(model->joints[0].bodyB, 1);
    EXPECT_EQ(model->joints[0].rotationMax, (Vector3{15, 16, 17}));
    EXPECT_EQ(model->joints[0].springRotation, (Vector3{21, 22, 23}));

    model->DeleteContents();
    EXPECT_TRUE(model->name.empty());
    EXPECT_TRUE(model->bones.empty());
    EXPECT_TRUE(model->toonPaths[0].empty());
}

TEST(PmdReader, SplitsMaterialFileNames)
{
    struct Case {
        const char* field;
        const char* texture;
        const char* sphere;
        bool add;
    };
    const Case cases[] = {
        {"body.bmp*body.sph", "body.bmp", "body.sph", false},
        {"*shine.spa", "", "shine.spa", true},
        {"shine.SPA", "shine.SPA", "", false},
        {"a.sph*b.spa", "", "b.spa", true},
        {"a.bmp*b.png", "b.png", "", false},
        {"sph", "sph", "", false},
        {"**x.bmp*", "x.bmp", "", false},
        {"", "", "", false},
    };
    for (const Case& c : cases) {
        CModelMaterial material;
        AssignMaterialFileNames(material, c.field, "F/");
        const std::string texture = *c.texture ? std::string("F/") + c.texture : "";
        const std::string sphere = *c.sphere ? std::string("F/") + c.sphere : "";
        EXPECT_EQ(material.texturePath, texture) << c.field;
        EXPECT_EQ(material.spherePath, sphere) << c.field;
        EXPECT_EQ(material.sphereAdd, c.add) << c.field;
    }
}

// A file cut anywhere gives the model as far as it was read: each list holds the records
// that were complete, equal to the full file's, and nothing is invented.
TEST(PmdReader, EveryPrefixKeepsWhatWasRead)
{
    PmdLayout at;
    const std::vector<std::uint8_t> bytes = WritePmd(SampleFile(), &at);
    const auto full = Read(bytes);
    std::size_t lastVertices = 0, lastBones = 0, lastMorphs = 0, lastBodies = 0;
    // Shorter than the header is not a model at all.
    for (std::size_t length = 0; length < 283; ++length)
        EXPECT_THROW(Read(bytes, length), FileFormatError) << length;
    for (std::size_t length = 283; length <= bytes.size(); ++length) {
        SCOPED_TRACE(length);
        const auto model = Read(bytes, length);
        ASSERT_LE(model->vertices.size(), full->vertices.size());
        for (std::size_t i = 0; i < model->vertices.size(); ++i)
            EXPECT_EQ(model->vertices[i].position, full->vertices[i].position);
        ASSERT_LE(model->bones.size(), full->bones.size());
        for (std::size_t i = 0; i < model->bones.size(); ++i)
            EXPECT_EQ(model->bones[i].position, full->bones[i].position);
        ASSERT_LE(model->morphs.size(), full->morphs.size());
        for (std::size_t i = 0; i < model->morphs.size(); ++i)
            EXPECT_EQ(model->morphs[i].vertices.size(), full->morphs[i].vertices.size());
        ASSERT_LE(model->rigidBodies.size(), full->rigidBodies.size());
        EXPECT_GE(model->vertices.size(), lastVertices);
        EXPECT_GE(model->bones.size(), lastBones);
        EXPECT_GE(model->morphs.size(), lastMorphs);
        EXPECT_GE(model->rigidBodies.size(), lastBodies);
        lastVertices = model->vertices.size();
        lastBones = model->bones.size();
        lastMorphs = model->morphs.size();
        lastBodies = model->rigidBodies.size();
    }

    // The header alone is a model with a name and nothing else.
    const auto header = Read(bytes, 283);
    EXPECT_EQ(header->name, "テスト");
    EXPECT_EQ(header->comment, "コメント\n二行目");
    EXPECT_TRUE(header->vertices.empty());

    // Cut inside the vertex list: the two whole vertices stay.
    EXPECT_EQ(Read(bytes, at.vertices + 4 + 2 * 38 + 20)->vertices.size(), 2u);

    // Cut at the start of the bones: the mesh is complete, the skeleton absent.
    const auto mesh = Read(bytes, at.bones);
    EXPECT_EQ(mesh->materials.size(), 2u);
    EXPECT_EQ(mesh->materials[1].spherePath, kFolder + "glow.spa");
    EXPECT_TRUE(mesh->bones.empty());

    // Cut inside the morphs: the base-relative indices are kept as read, since the step that
    // resolves them comes after the list.
    const auto morphs = Read(bytes, at.morphDisplay - 1);
    ASSERT_EQ(morphs->morphs.size(), 2u);
    EXPECT_EQ(morphs->morphs[1].vertices[0].index, 1);

    // A file that stops after the bone display list is a whole model without the extras.
    const auto old = Read(bytes, at.english);
    EXPECT_EQ(old->boneGroups[1].bones, (std::vector<int>{1, 2}));
    EXPECT_EQ(old->morphs[1].vertices[0].index, 3);
    EXPECT_EQ(old->englishName, "");
    EXPECT_EQ(old->bones[0].englishName, "");
    EXPECT_EQ(old->toonPaths[0], "");
    EXPECT_TRUE(old->rigidBodies.empty());

    // Cut inside the toon names: the names read so far are set, the others stay empty.
    const auto toons = Read(bytes, at.toons + 150);
    EXPECT_EQ(toons->toonPaths[0], kFolder + "toon01.bmp");
    EXPECT_EQ(toons->toonPaths[1], "");
    EXPECT_EQ(toons->bones[5].englishName, "toe IK_L");

    EXPECT_EQ(Read(bytes, at.joints)->rigidBodies.size(), 2u);
    EXPECT_TRUE(Read(bytes, at.joints)->joints.empty());
}

TEST(PmdReader, HugeCountsDoNotAllocate)
{
    PmdLayout at;
    const std::vector<std::uint8_t> good = WritePmd(SampleFile(), &at);
    auto patched = [&](std::size_t offset, std::initializer_list<std::uint8_t> value) {
        std::vector<std::uint8_t> bytes = good;
        std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        return Read(bytes);
    };
    const std::size_t limit = good.size();
    const auto vertices = patched(at.vertices, {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_LE(vertices->vertices.capacity(), limit / 38);
    EXPECT_GT(vertices->vertices.size(), 4u); // the rest of the file read as vertices
    EXPECT_TRUE(vertices->bones.empty());
    EXPECT_LE(patched(at.indices, {0xFF, 0xFF, 0xFF, 0x7F})->indices.capacity(), limit / 2);
    EXPECT_LE(patched(at.materials, {0xFF, 0xFF, 0xFF, 0xFF})->materials.capacity(), limit / 70);
    EXPECT_LE(patched(at.bones, {0xFF, 0xFF})->bones.capacity(), limit / 39);
    // A morph whose vertex count runs past the end is dropped, the morphs before it stay.
    const auto morph = patched(at.morphs + 2 + 20, {0xFF, 0xFF, 0xFF, 0x0F});
    EXPECT_TRUE(morph->morphs.empty());
    EXPECT_EQ(morph->iks.size(), 1u);
    EXPECT_LE(patched(at.rigidBodies, {0xFF, 0xFF, 0xFF, 0xFF})->rigidBodies.capacity(),
              limit / 83);
    EXPECT_LE(patched(at.joints, {0xFF, 0xFF, 0xFF, 0xFF})->joints.capacity(), limit / 124);

    // Any single byte set to 0xFF: read or rejected, never a crash.
    for (std::size_t i = 0; i < good.size(); ++i) {
        std::vector<std::uint8_t> bytes = good;
        bytes[i] = 0xFF;
        try {
            Read(bytes);
        } catch (const InvalidArgumentError&) {
        }
    }
}

TEST(PmdReader, IndicesOutOfRangeAreInvalidArguments)
{
    auto read = [](PmdFile file) { return Read(WritePmd(file)); };
    PmdFile file = SampleFile();
    file.boneDisplay.push_back({6, 1}); // only six bones
    EXPECT_THROW(read(file), InvalidArgumentError);
    file = SampleFile();
    file.boneDisplay.push_back({0, 0}); // groups count from 1
    EXPECT_THROW(read(file), InvalidArgumentError);
    file = SampleFile();
    file.boneDisplay.push_back({0, 3});
    EXPECT_THROW(read(file), InvalidArgumentError);
    file = SampleFile();
    file.morphs[2].vertices.push_back({2, 0, 0, 0}); // the base morph has two vertices
    EXPECT_THROW(read(file), InvalidArgumentError);
    file = SampleFile();
    file.morphs[2].vertices.push_back({0xFFFFFFFF, 0, 0, 0});
    EXPECT_THROW(read(file), InvalidArgumentError);
}

TEST(PmdReader, TheLastBaseMorphResolvesTheOthers)
{
    PmdFile file = SampleFile();
    file.morphs.push_back({"base2", 0, {{2, 0, 0, 0}, {0, 0, 0, 0}}, ""});
    auto model = Read(WritePmd(file));
    EXPECT_EQ(model->morphs[1].vertices[0].index, 0);
    EXPECT_EQ(model->morphs[2].vertices[0].index, 2);
    EXPECT_EQ(model->morphs[3].englishName, ""); // a base morph has no English name

    // Without a base morph the offsets name no vertex: those morphs are left empty.
    file = SampleFile();
    file.morphs.erase(file.morphs.begin());
    model = Read(WritePmd(file));
    ASSERT_EQ(model->morphs.size(), 2u);
    EXPECT_TRUE(model->morphs[0].vertices.empty());
    EXPECT_EQ(model->morphs[1].englishName, "blink");
}

TEST(PmdReader, ReadsTheSharedModel)
{
    const auto path = SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(path);
    const auto model = LoadModelDocument(path);
    const std::string folder = std::filesystem::absolute(path).parent_path().string() + "/";
    EXPECT_EQ(model->name, "Mei");
    EXPECT_EQ(model->englishName, "Mei");
    EXPECT_EQ(model->vertices.size(), 8983u);
    EXPECT_EQ(model->indices.size(), 43911u);
    ASSERT_EQ(model->materials.size(), 17u);
    EXPECT_EQ(model->materials[0].texturePath, folder + "hair02.png");
    EXPECT_EQ(model->materials[0].faceVertexCount, 888);
    int faces = 0;
    for (const CModelMaterial& material : model->materials)
        faces += material.faceVertexCount;
    EXPECT_EQ(faces, 43911);
    ASSERT_EQ(model->bones.size(), 142u);
    EXPECT_EQ(model->bones[1].nameID, 500);  // センター
    EXPECT_EQ(model->bones[10].nameID, 501); // 左足
    EXPECT_EQ(model->bones[10].parent, 4);
    EXPECT_FLOAT_EQ(model->bones[10].position.y, 11.58254337f);
    EXPECT_TRUE(model->bones[11].isKnee);
    EXPECT_TRUE(model->bones[7].isKnee);
    ASSERT_EQ(model->iks.size(), 4u);
    EXPECT_EQ(model->iks[0].ikBone, 134);
    EXPECT_EQ(model->iks[0].effector, 12);
    EXPECT_EQ(model->iks[0].iterations, 40);
    EXPECT_FLOAT_EQ(model->iks[0].limitAngle, 0.1f);
    EXPECT_EQ(model->iks[0].chain, (std::vector<std::uint16_t>{11, 10}));
    ASSERT_EQ(model->morphs.size(), 29u);
    EXPECT_EQ(model->morphs[0].type, 0);
    EXPECT_EQ(model->morphs[0].vertices.size(), 696u);
    EXPECT_EQ(model->morphs[1].vertices.size(), 129u);
    EXPECT_EQ(model->boneGroups.size(), 8u);
    std::size_t listed = 0;
    for (const CModelBoneGroup& group : model->boneGroups)
        listed += group.bones.size();
    EXPECT_EQ(listed, 80u);
    EXPECT_EQ(model->toonPaths[9], folder + "toon10.bmp");
    EXPECT_EQ(model->rigidBodies.size(), 31u);
    EXPECT_EQ(model->joints.size(), 20u);

    const ModelMeasurements parameters = MeasureModel(model.get());
    EXPECT_FLOAT_EQ(parameters.panelSize, 12.0f * 11.58254337f / 10.75273f);
    EXPECT_FLOAT_EQ(parameters.leftFootRestX, 0.97805238f);
    EXPECT_FLOAT_EQ(parameters.rightFootRestX, -0.97776949f);
    EXPECT_FLOAT_EQ(parameters.toeReach, 2.06303f);
}

TEST(ModelMeasurements, DefaultsWithoutModelOrBones)
{
    const ModelMeasurements none = MeasureModel(nullptr);
    EXPECT_EQ(none.panelSize, 12.0f);
    EXPECT_EQ(none.leftFootRestX, 0.875424f);
    EXPECT_EQ(none.rightFootRestX, -0.875424f);
    EXPECT_EQ(none.toeReach, 2.463567f);

    // Only the bones the model has are measured.
    const auto model = Read(WritePmd(SampleFile()));
    const ModelMeasurements some = MeasureModel(model.get());
    EXPECT_FLOAT_EQ(some.panelSize, 12.0f * 10.0f / 10.75273f);
    EXPECT_EQ(some.leftFootRestX, 1.0f);
    EXPECT_EQ(some.rightFootRestX, -0.875424f);
    EXPECT_EQ(some.toeReach, 2.0f);
}
