#include "model/PmdReader.h"
// The JSON that `zelvane-cli info --json` prints for a model. The source lives with the
// command-line tool; it is compiled in here so the model tests check it without the tool.
#include "PmdTestWriter.h"
#include "TestData.h"
#include "cli/PmdJson.cpp"
#include "model/ModelMeasurements.h"
#include "model/NameIds.h"
#include "text/Errors.h"

#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace zelvane;
using namespace zelvane::test;

namespace {

const std::string kFolder = "/models/dancer/";

// A small leg with every section filled, some fields at their edge values.
PmdFile SamplePmd()
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
    file.materials = {{{1, 1, 1, 1}, 5, {}, {.5f, .5f, .5f}, -1, 1, 3, "skin.bmp*env.sph"},
                      {{1, 1, 1, .5f}, 5, {0, .25f, 0}, {.5f, .5f, .5f}, 2, 0, 3, "*glow.spa"}};
    file.bones = {
        {"センター", -1, 1, 1, 0, 0, 8, 0, "center"},
        {"左足", 0, 2, 0, 0, 1, 10, 0, "leg_L"},
        {"左ひざ", 1, 3, 0, 0, 1, 5, 0, "knee_L"},
        {"左足首", 2, -1, 0, 0, 1, 1, 0, "ankle_L"},
        {"左足ＩＫ", 0, -1, 2, 3, 1, 1, 0, "leg IK_L"},
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

// How many records each list holds.
std::array<std::size_t, 9> Sizes(const CModelDocument& m)
{
    return {m.vertices.size(),   m.indices.size(),     m.materials.size(),
            m.bones.size(),      m.iks.size(),         m.morphs.size(),
            m.boneGroups.size(), m.rigidBodies.size(), m.joints.size()};
}

} // namespace

// The counts, materials, bones, IK chains, morph names and bone groups are compared through
// the whole JSON document `zelvane-cli info --json` prints, so that a key renamed, dropped or
// added shows too; then the rest.
TEST(PmdReader, ReadsEverySectionAndTheJsonDescribesTheWholeModel)
{
    const auto model = ReadModelDocument(WritePmd(SamplePmd()), "/m/");
    const nlohmann::json json = PmdToJson(*model);
    nlohmann::json expected = nlohmann::json::parse(R"({
        "name": "テスト", "comment": "コメント\n二行目", "englishName": "Test",
        "englishComment": "Comment", "vertexCount": 4, "indexCount": 6,
        "materials": [
            {"diffuse": [1, 1, 1, 1], "specular": [0, 0, 0], "ambient": [0.5, 0.5, 0.5],
             "power": 5, "toonIndex": -1, "edge": true, "faceVertexCount": 3,
             "texturePath": "/m/skin.bmp", "spherePath": "/m/env.sph", "sphereAdd": false},
            {"diffuse": [1, 1, 1, 0.5], "specular": [0, 0.25, 0], "ambient": [0.5, 0.5, 0.5],
             "power": 5, "toonIndex": 2, "edge": false, "faceVertexCount": 3,
             "texturePath": "", "spherePath": "/m/glow.spa", "sphereAdd": true}],
        "bones": [
            {"name": "センター", "nameID": 500, "parent": -1, "tail": 1, "type": 1, "ikIndex": 0,
             "position": [0, 8, 0], "isKnee": false},
            {"name": "左足", "nameID": 501, "parent": 0, "tail": 2, "type": 0, "ikIndex": 0,
             "position": [1, 10, 0], "isKnee": false},
            {"name": "左ひざ", "nameID": 509, "parent": 1, "tail": 3, "type": 0, "ikIndex": 0,
             "position": [1, 5, 0], "isKnee": true},
            {"name": "左足首", "nameID": "?", "parent": 2, "tail": -1, "type": 0, "ikIndex": 0,
             "position": [1, 1, 0], "isKnee": false},
            {"name": "左足ＩＫ", "nameID": 507, "parent": 0, "tail": -1, "type": 2, "ikIndex": 3,
             "position": [1, 1, 0], "isKnee": false},
            {"name": "左つま先ＩＫ", "nameID": 551, "parent": 4, "tail": -1, "type": 2,
             "ikIndex": 0, "position": [1, 0, -2], "isKnee": false}],
        "iks": [{"ikBone": 4, "effector": 3, "iterations": 40, "limitAngle": 0.5,
                 "chain": [2, 1]}],
        "morphs": [{"name": "base", "type": 0, "vertexCount": 2},
                   {"name": "笑い", "type": 1, "vertexCount": 1},
                   {"name": "まばたき", "type": 2, "vertexCount": 1}],
        "boneGroups": [{"name": "体", "bones": [0]}, {"name": "足", "bones": [1, 2]}],
        "toonPaths": ["/m/toon01.bmp", "/m/", "/m/", "/m/", "/m/", "/m/", "/m/", "/m/", "/m/",
                      "/m/mine.bmp"],
        "rigidBodyCount": 2, "jointCount": 1})");
    // 左足首 is no table text: its ID is given out when the name is first seen.
    expected["bones"][3]["nameID"] = NameToID("左足首");
    ASSERT_EQ(json, expected) << json.dump(2);

    const CModelVertex& v1 = model->vertices[1];
    EXPECT_EQ(std::tie(v1.position, v1.normal, v1.uv),
              std::tuple(Vector3{1, 2, 3}, Vector3{1, 0, 0}, Vector2{0.75f, 1.0f}));
    EXPECT_EQ(std::tuple(v1.bone0, v1.bone1, v1.weight, v1.noEdge), std::tuple(1, 2, 30, true));
    EXPECT_FALSE(model->vertices[0].noEdge);
    // Vertex bone numbers are unsigned: 0xFFFF is not a "no bone" marker.
    EXPECT_EQ(model->vertices[2].bone0, 65535);
    EXPECT_EQ(model->indices, (std::vector<std::uint32_t>{0, 1, 2, 1, 2, 3}));

    // Ordinary morphs address model vertices through the base morph.
    EXPECT_EQ(std::tuple(model->morphs[0].vertices[1].index, model->morphs[1].vertices[0].index,
                         model->morphs[2].vertices[0].index),
              std::tuple(3, 3, 1));
    EXPECT_EQ(model->morphs[1].vertices[0].offset, (Vector3{0.5f, 0, 0}));
    EXPECT_EQ(std::tie(model->bones[5].englishName, model->morphs[2].englishName,
                       model->boneGroups[1].englishName),
              std::tuple("toe IK_L", "blink", "Legs"));

    const CRigidBody& body = model->rigidBodies[1];
    EXPECT_EQ(std::tie(body.name, body.bone, body.group, body.groupMask, body.shape, body.type),
              std::tuple("body1", 1, 3, 0xFFFE, 1, 2));
    EXPECT_EQ(std::tie(body.size, body.rotation, body.mass, body.friction),
              std::tuple(Vector3{100, 101, 102}, Vector3{106, 107, 108}, 109.0f, 113.0f));
    const CJoint& joint = model->joints[0];
    EXPECT_EQ(std::tie(joint.bodyB, joint.rotationMax, joint.springRotation),
              std::tuple(1, Vector3{15, 16, 17}, Vector3{21, 22, 23}));

    // Only the bones the model has are measured; the others keep their defaults.
    const ModelMeasurements measured = MeasureModel(model.get());
    EXPECT_FLOAT_EQ(measured.panelSize, 12.0f * 10.0f / ModelMeasurements::kReferenceLegHeight);
    EXPECT_EQ(std::tuple(measured.leftFootRestX, measured.rightFootRestX, measured.toeReach),
              std::tuple(1.0f, ModelMeasurements::kDefaultRightFootRestX, 2.0f));
    EXPECT_EQ(MeasureModel(nullptr).toeReach, ModelMeasurements::kDefaultToeReach);
}

TEST(PmdReader, SplitsMaterialFileNames)
{
    // The field, the texture and sphere map it names, and whether the sphere map adds.
    for (const auto& [field, texture, sphere, add] :
         {std::tuple{"body.bmp*body.sph", "F/body.bmp", "F/body.sph", false},
          {"*shine.spa", "", "F/shine.spa", true},
          {"shine.SPA", "F/shine.SPA", "", false},
          {"a.sph*b.spa", "", "F/b.spa", true},
          {"a.bmp*b.png", "F/b.png", "", false},
          {"sph", "F/sph", "", false},
          {"**x.bmp*", "F/x.bmp", "", false},
          {"", "", "", false}}) {
        CModelMaterial material;
        AssignMaterialFileNames(material, field, "F/");
        EXPECT_EQ(std::tie(material.texturePath, material.spherePath, material.sphereAdd),
                  std::tuple(texture, sphere, add))
            << field;
    }
}

// A file may end between two sections and is then the model as far as it goes: each list
// holds what the full file's holds, and the later ones are empty. A file cut inside a
// section is refused, so a broken download never shows as a dancer with parts missing.
TEST(PmdReader, AFileEndsBetweenSectionsOrIsRefusedAsCut)
{
    PmdLayout at;
    const std::vector<std::uint8_t> bytes = WritePmd(SamplePmd(), &at);
    const auto full = Read(bytes);
    // The first boundary is the end of the header: shorter is not a model at all.
    const std::vector<std::size_t> boundaries
        = {at.vertices, at.indices,      at.materials,  at.bones,       at.iks,
           at.morphs,   at.morphDisplay, at.boneGroups, at.boneDisplay, at.english,
           at.toons,    at.rigidBodies,  at.joints,     at.end};
    auto last = Sizes(CModelDocument{});
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        SCOPED_TRACE(length);
        if (std::find(boundaries.begin(), boundaries.end(), length) == boundaries.end()) {
            EXPECT_THROW(Read(bytes, length), FileFormatError);
            continue;
        }
        const auto model = Read(bytes, length);
        const auto now = Sizes(*model);
        for (std::size_t i = 0; i < now.size(); ++i) {
            ASSERT_TRUE(now[i] == 0 || now[i] == Sizes(*full)[i]);
            EXPECT_GE(now[i], last[i]);
        }
        last = now;
    }
    EXPECT_EQ(last, Sizes(*full));

    // Cut inside the vertex list, as a broken download is, says where.
    try {
        Read(bytes, at.vertices + 4 + 2 * 38 + 20);
        ADD_FAILURE() << "a cut file was read";
    } catch (const FileFormatError& error) {
        EXPECT_STREQ(error.what(), "the model file is cut short inside its vertices");
    }

    // A file that stops after the bone display list is a whole model without the extras,
    // its morph vertices resolved against the base morph.
    const auto old = Read(bytes, at.english);
    EXPECT_EQ(std::tie(old->boneGroups[1].bones, old->morphs[1].vertices[0].index),
              std::tuple(std::vector<int>{1, 2}, 3));
    EXPECT_EQ(std::tie(old->englishName, old->bones[0].englishName, old->toonPaths[0]),
              std::tuple("", "", ""));
    const auto toons = Read(bytes, at.rigidBodies);
    EXPECT_EQ(std::tie(toons->toonPaths[0], toons->bones[5].englishName),
              std::tuple(kFolder + "toon01.bmp", "toe IK_L"));
}

TEST(PmdReader, HugeCountsAreRefusedAsCut)
{
    PmdLayout at;
    const std::vector<std::uint8_t> good = WritePmd(SamplePmd(), &at);
    auto patched = [&](std::size_t offset, std::initializer_list<std::uint8_t> value) {
        std::vector<std::uint8_t> bytes = good;
        std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        return Read(bytes);
    };
    // Counts beyond what the file holds run into its end inside the section: refused, and
    // what was reserved before that never exceeded what the bytes left could hold.
    for (std::size_t offset :
         {at.vertices, at.indices, at.materials, at.boneDisplay, at.rigidBodies, at.joints})
        EXPECT_THROW(patched(offset, {0xFF, 0xFF, 0xFF, 0x7F}), FileFormatError) << offset;
    for (std::size_t offset : {at.bones, at.iks, at.morphs})
        EXPECT_THROW(patched(offset, {0xFF, 0xFF}), FileFormatError) << offset;
    EXPECT_THROW(patched(at.boneGroups, {0xFF}), FileFormatError);
    EXPECT_THROW(patched(at.morphs + 2 + 20, {0xFF, 0xFF, 0xFF, 0x0F}), FileFormatError);

    // Any single byte set to 0xFF: read or rejected as invalid, never a crash.
    for (std::size_t i = 0; i < good.size(); ++i) {
        std::vector<std::uint8_t> bytes = good;
        bytes[i] = 0xFF;
        try {
            Read(bytes);
        } catch (const CoreError&) {
        }
    }
}

TEST(PmdReader, IndicesOutOfRangeAreInvalidArguments)
{
    // A face corner past the vertices, a bone past the six, a group 0 or past the two
    // (groups count from 1), a morph vertex past the base morph's two.
    const std::function<void(PmdFile&)> changes[] = {
        [](PmdFile& f) { f.indices[1] = static_cast<std::uint16_t>(f.vertices.size()); },
        [](PmdFile& f) { f.boneDisplay.emplace_back(6, 1); },
        [](PmdFile& f) { f.boneDisplay.emplace_back(0, 0); },
        [](PmdFile& f) { f.boneDisplay.emplace_back(0, 3); },
        [](PmdFile& f) { f.morphs[2].vertices.push_back({2}); },
        [](PmdFile& f) { f.morphs[2].vertices.push_back({0xFFFFFFFF}); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        PmdFile file = SamplePmd();
        changes[i](file);
        EXPECT_THROW(Read(WritePmd(file)), InvalidArgumentError) << i;
    }
}

TEST(PmdReader, TheLastBaseMorphResolvesTheOthers)
{
    PmdFile file = SamplePmd();
    file.morphs.push_back({"base2", 0, {{2, 0, 0, 0}, {0, 0, 0, 0}}, ""});
    auto model = Read(WritePmd(file));
    EXPECT_EQ(model->morphs[1].vertices[0].index, 0);
    EXPECT_EQ(model->morphs[2].vertices[0].index, 2);
    EXPECT_EQ(model->morphs[3].englishName, ""); // a base morph has no English name

    // Without a base morph the offsets name no vertex: those morphs are left empty.
    file = SamplePmd();
    file.morphs.erase(file.morphs.begin());
    model = Read(WritePmd(file));
    ASSERT_EQ(model->morphs.size(), 2u);
    EXPECT_TRUE(model->morphs[0].vertices.empty());
    EXPECT_EQ(model->morphs[1].englishName, "blink");
}

// Its bones, IK chains and materials are compared with what an independent reader makes of
// the file by the format_checks_shared_files test; here the counts and the rest.
TEST(PmdReader, ReadsTheSharedModel)
{
    const auto path = SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(path);
    const auto model = LoadModelDocument(path);
    const std::string folder = std::filesystem::absolute(path).parent_path().string() + "/";
    EXPECT_EQ(Sizes(*model), (std::array<std::size_t, 9>{8983, 43911, 17, 142, 4, 29, 8, 31, 20}));
    EXPECT_EQ(std::tie(model->englishName, model->materials[0].texturePath, model->toonPaths[9]),
              std::tuple("Mei", folder + "hair02.png", folder + "toon10.bmp"));
    EXPECT_EQ(std::tuple(model->bones[1].nameID, model->bones[10].nameID), std::tuple(500, 501));
    EXPECT_TRUE(model->bones[11].isKnee && model->bones[7].isKnee);
    EXPECT_EQ(model->morphs[1].vertices.size(), 129u);

    const ModelMeasurements measured = MeasureModel(model.get());
    EXPECT_FLOAT_EQ(measured.panelSize, 12.0f * 11.58254337f / 10.75273f);
    EXPECT_FLOAT_EQ(measured.leftFootRestX, 0.97805238f);
    EXPECT_FLOAT_EQ(measured.rightFootRestX, -0.97776949f);
    EXPECT_FLOAT_EQ(measured.toeReach, 2.06303f);

    // Comments hold line breaks and the group names end in one; the dump must still be valid.
    EXPECT_NO_THROW(nlohmann::json::parse(PmdToJson(*model).dump()));
}
