// The JSON that `zelvane-cli info --json` prints for a model. The source lives with the
// command-line tool; it is compiled in here so the model tests check it without the tool.
#include "cli/PmdJson.cpp"

#include "PmdTestWriter.h"
#include "TestData.h"
#include "model/PmdReader.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

TEST(PmdJson, DescribesEveryPart)
{
    PmdFile file;
    file.name = "人形";
    file.englishComment = "doll";
    file.vertices.resize(3);
    file.indices = {0, 1, 2};
    PmdMaterial material;
    material.diffuse[3] = 0.5f;
    material.specular[1] = 0.25f;
    material.toon = 3;
    material.faceVertexCount = 3;
    material.fileNames = "a.png*b.spa";
    file.materials = {material};
    file.bones = {{"センター", -1, 1, 1, 0, 0, 8, 0, ""}, {"右ひざ", 0, -1, 0, 7, 1, 4, -1, ""}};
    file.iks = {{1, 0, 15, 0.25f, {0}}};
    file.morphs = {{"base", 0, {{0, 0, 0, 0}}, ""}, {"あ", 1, {{0, 1, 0, 0}}, "a"}};
    file.boneGroups = {"脚"};
    file.boneDisplay = {{1, 1}};
    file.toons[0] = "t.bmp";
    file.rigidBodies = 2;
    file.joints = 1;
    const auto model = ReadModelDocument(WritePmd(file), "/m/");
    const nlohmann::json json = PmdToJson(*model);

    EXPECT_EQ(json["name"], "人形");
    EXPECT_EQ(json["englishComment"], "doll");
    EXPECT_EQ(json["vertexCount"], 3);
    EXPECT_EQ(json["indexCount"], 3);
    const nlohmann::json& m = json["materials"][0];
    EXPECT_EQ(m["diffuse"], nlohmann::json({1.0, 1.0, 1.0, 0.5}));
    EXPECT_EQ(m["specular"], nlohmann::json({0.0, 0.25, 0.0}));
    EXPECT_EQ(m["ambient"].size(), 3u);
    EXPECT_EQ(m["toonIndex"], 3);
    EXPECT_EQ(m["edge"], true);
    EXPECT_EQ(m["texturePath"], "/m/a.png");
    EXPECT_EQ(m["spherePath"], "/m/b.spa");
    EXPECT_EQ(m["sphereAdd"], true);
    const nlohmann::json& knee = json["bones"][1];
    EXPECT_EQ(knee["name"], "右ひざ");
    EXPECT_EQ(knee["nameID"], 527);
    EXPECT_EQ(knee["parent"], 0);
    EXPECT_EQ(knee["tail"], -1);
    EXPECT_EQ(knee["ikIndex"], 7);
    EXPECT_EQ(knee["position"], nlohmann::json({1.0, 4.0, -1.0}));
    EXPECT_EQ(knee["isKnee"], true);
    EXPECT_EQ(json["iks"][0], nlohmann::json::parse(R"({"ikBone": 1, "effector": 0,
        "iterations": 15, "limitAngle": 0.25, "chain": [0]})"));
    EXPECT_EQ(json["morphs"][1], nlohmann::json::parse(R"({"name": "あ", "type": 1,
        "vertexCount": 1})"));
    EXPECT_EQ(json["boneGroups"][0], nlohmann::json::parse(R"({"name": "脚", "bones": [1]})"));
    EXPECT_EQ(json["toonPaths"].size(), 10u);
    EXPECT_EQ(json["toonPaths"][0], "/m/t.bmp");
    EXPECT_EQ(json["rigidBodyCount"], 2);
    EXPECT_EQ(json["jointCount"], 1);
    EXPECT_EQ(json.size(), 14u);
}

TEST(PmdJson, SharedModelPrints)
{
    const auto path = SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(path);
    const nlohmann::json json = PmdToJson(*LoadModelDocument(path));
    EXPECT_EQ(json["bones"].size(), 142u);
    EXPECT_EQ(json["bones"][136]["name"], "左つま先ＩＫ");
    EXPECT_EQ(json["bones"][136]["parent"], 134);
    EXPECT_EQ(json["morphs"][1]["name"], "口_微笑");
    EXPECT_EQ(json["morphs"][1]["vertexCount"], 129);
    EXPECT_EQ(json["iks"][2]["chain"], nlohmann::json({7, 6}));
    // Comments hold line breaks and the group names end in one; the dump must still be valid.
    EXPECT_NO_THROW(nlohmann::json::parse(json.dump()));
}
