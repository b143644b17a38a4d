// PMX models on the command line: info and its JSON, and the dance and pose of a model made
// PMX, against the same model as PMD.
#include "CliTestSupport.h"
#include "model/NameIds.h"
#include "model/PmdReader.h"
#include "model/PmxFromModel.h"
#include "model/PmxTestWriter.h"
#include "motion/MotionDocument.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

namespace {

std::filesystem::path WritePmx(const std::string& name, const PmxFile& file)
{
    const std::vector<std::uint8_t> bytes = PmxTestWriter(file).Write();
    return WriteTemp(name, std::string(bytes.begin(), bytes.end()));
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

PmxFile Small()
{
    PmxFile f;
    f.header.version = 2.1f;
    f.header.encoding = 1;
    f.name = "小さな";
    PmxVertex v;
    v.bones = {0, -1, -1, -1};
    v.weights = {1, 0, 0, 0};
    PmxVertex s = v;
    s.weightType = PmxWeightType::Sdef;
    s.bones = {0, 1, -1, -1};
    s.weights = {0.5f, 0, 0, 0};
    PmxVertex q = v;
    q.weightType = PmxWeightType::Qdef;
    q.bones = {0, 1, 2, -1};
    q.weights = {0.5f, 0.25f, 0.25f, 0};
    f.vertices = {v, s, q, q};
    f.indices = {0, 1, 2, 1, 2, 3};
    f.textures = {"tex\\a.png", "s.sph"};
    PmxMaterial m;
    m.diffuse = {1, 0.5f, 0.25f, 1};
    m.flags = 0x15;
    m.edgeColor = {0, 0, 1, 1};
    m.edgeSize = 0.5f;
    m.texture = 0;
    m.sphereTexture = 1;
    m.sphereMode = 1;
    m.sharedToon = true;
    m.toon = 3;
    m.indexCount = 6;
    f.materials = {m};
    PmxBone root;
    root.name = "センター";
    root.flags = PmxBone::kRotatable | PmxBone::kTranslatable | PmxBone::kTailIsBone;
    root.tailBone = 1;
    PmxBone d;
    d.name = "左足D";
    d.parent = 0;
    d.layer = 1;
    d.position = {1, 2, 3};
    d.flags = PmxBone::kRotatable | PmxBone::kInheritRotation | PmxBone::kFixedAxis;
    d.inheritParent = 0;
    d.inheritRatio = 0.5f;
    d.fixedAxis = {0, 1, 0};
    PmxBone ik;
    ik.name = "左足ＩＫ";
    ik.flags = PmxBone::kIK;
    ik.ikTarget = 1;
    ik.ikLoopCount = 9;
    ik.ikUnitAngle = 0.125f;
    ik.ikLinks = {{0, true, {-1, 0, 0}, {0, 0.5f, 0}}, {1, false, {}, {}}};
    f.bones = {root, d, ik};
    PmxMorph vertex;
    vertex.name = "あ";
    vertex.panel = 3;
    vertex.kind = PmxMorphKind::Vertex;
    vertex.vertices = {{0, {0, 1, 0, 0}}, {1, {0, 1, 0, 0}}};
    PmxMorph group;
    group.name = "組";
    group.panel = 4;
    group.kind = PmxMorphKind::Group;
    group.weights = {{0, 1}};
    f.morphs = {vertex, group};
    return f;
}

TEST(CliPmx, InfoPrintsWhatThePmxHoldsAsStored)
{
    const auto path = WritePmx("small.pmx", Small());
    const auto info = InfoJson(path);
    const std::string folder = std::filesystem::absolute(path).parent_path().string() + "/";
    EXPECT_EQ(info["format"], "PMX 2.1");
    EXPECT_EQ(info["encoding"], "UTF-8");
    EXPECT_EQ(info["name"], "小さな");
    EXPECT_EQ(std::tie(info["vertexCount"], info["indexCount"], info["rigidBodyCount"]),
              std::make_tuple(4, 6, 0));
    EXPECT_EQ(info["weightTypes"],
              nlohmann::json::parse(R"({"BDEF1":1,"BDEF2":0,"BDEF4":0,"SDEF":1,"QDEF":2})"));
    const auto& material = info["materials"][0];
    EXPECT_EQ(material["faceVertexCount"], 6);
    EXPECT_EQ(material["diffuse"], nlohmann::json::parse("[1, 0.5, 0.25, 1]"));
    EXPECT_EQ(std::tie(material["flags"], material["edgeSize"], material["sphereMode"],
                       material["toonIndex"]),
              std::make_tuple(0x15, 0.5, 1, 3));
    EXPECT_EQ(material["edgeColor"], nlohmann::json::parse("[0, 0, 1, 1]"));
    // The file's separators become this system's.
    EXPECT_EQ(material["texturePath"], folder + "tex/a.png");
    EXPECT_EQ(material["spherePath"], folder + "s.sph");
    EXPECT_EQ(material["toonPath"], "");

    EXPECT_EQ(info["bones"], nlohmann::json::parse(R"([
        {"name": "センター", "englishName": "", "parent": -1, "position": [0, 0, 0],
         "flags": 7, "layer": 0, "tail": 1, "inherit": null, "fixedAxis": null},
        {"name": "左足D", "englishName": "", "parent": 0, "position": [1, 2, 3],
         "flags": 1282, "layer": 1, "tail": -1, "fixedAxis": [0, 1, 0],
         "inherit": {"parent": 0, "ratio": 0.5, "rotation": true, "translation": false}},
        {"name": "左足ＩＫ", "englishName": "", "parent": -1, "position": [0, 0, 0],
         "flags": 32, "layer": 0, "tail": -1, "inherit": null, "fixedAxis": null}])"));
    EXPECT_EQ(info["iks"], nlohmann::json::parse(R"([
        {"ikBone": 2, "effector": 1, "iterations": 9, "limitAngle": 0.125, "chain": [0, 1],
         "links": [{"bone": 0, "minAngle": [-1, 0, 0], "maxAngle": [0, 0.5, 0]},
                   {"bone": 1, "minAngle": null, "maxAngle": null}]}])"));
    EXPECT_EQ(info["morphs"], nlohmann::json::parse(R"([
        {"name": "あ", "englishName": "", "type": 1, "panel": 3, "vertexCount": 2,
         "offsetCount": 2},
        {"name": "組", "englishName": "", "type": 0, "panel": 4, "vertexCount": 0,
         "offsetCount": 1}])"));

    const CommandResult text = RunCli("info " + Quoted(path));
    EXPECT_NE(text.out.find("format:    PMX 2.1, UTF-8"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("IK chains: 1"), std::string::npos) << text.out;
}

TEST(CliPmx, PoseMovesBonesByTheBoneMorphsTheMotionKeys)
{
    PmxFile file = Small();
    file.bones[2].flags = PmxBone::kRotatable; // no IK pulling the morphed bone back
    PmxMorph lift;
    lift.name = "上げ";
    lift.kind = PmxMorphKind::Bone;
    lift.bones = {{1, {0, 4, 0}, {0, 0, 0, 1}}};
    file.morphs[1].weights = {{2, 0.5f}};
    file.morphs.push_back(lift);
    const auto path = WritePmx("lift.pmx", file);
    CMotionDocument motion;
    motion.GetMorphSequence(NameToID("組")).Insert({10, 1.0f});
    const std::vector<std::uint8_t> vmd = motion.Write();
    const auto vmdPath = WriteTemp("lift.vmd", std::string(vmd.begin(), vmd.end()));
    const auto headAt = [&](int frame) {
        const CommandResult pose = RunCli("pose --json " + Quoted(path) + " " + Quoted(vmdPath)
                                          + " --frame " + std::to_string(frame));
        EXPECT_EQ(pose.status, 0) << pose.err;
        return nlohmann::json::parse(pose.out)["bones"][1]["position"];
    };
    // The group keyed at full weight hands half to the bone morph, which lifts the bone by
    // half of 4; halfway to the key, a quarter of it.
    EXPECT_EQ(headAt(10), nlohmann::json::parse("[1, 4, 3]"));
    EXPECT_EQ(headAt(5), nlohmann::json::parse("[1, 3, 3]"));
}

TEST(CliPmx, APmxModelLackingDanceBonesDancesWhatItHasAndSaysWhichAreMissing)
{
    const auto path = WritePmx("few.pmx", Small());
    const auto chart = WriteTemp("few.dwi", "#BPM:150;\r\n#SINGLE:BASIC:3:8426;\r\n");
    const std::string single = " --style SINGLE --difficulty BASIC";
    const CommandResult pose = RunCli("pose --json " + Quoted(path) + " --chart " + Quoted(chart)
                                      + single + " --frame 30");
    ASSERT_EQ(pose.status, 0) << pose.err;
    EXPECT_NE(pose.err.find("lacks bones the dance moves or measures: 左足, 上半身, 右足ＩＫ, 首, "
                            "左つま先ＩＫ"),
              std::string::npos)
        << pose.err;
    EXPECT_EQ(nlohmann::json::parse(pose.out)["bones"].size(), 3u);
    // The motion command says it too; the shared model has them all: no warning.
    for (const auto& model : {path, Mannequin()}) {
        const CommandResult motion = RunCli("motion " + Quoted(chart) + single + " --model "
                                            + Quoted(model) + " -o " + Quoted(Temp("few.vmd")));
        ASSERT_EQ(motion.status, 0) << motion.err;
        EXPECT_EQ(motion.err.find("lacks bones") != std::string::npos, model == path) << motion.err;
    }
}

TEST(CliPmx, TheSharedModelAsPmxDancesAsThePmd)
{
    const auto mei = SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(mei);
    const auto dwi = SharedTestData("dwi/DIVE.dwi");
    ZELVANE_REQUIRE_SHARED(dwi);
    const auto pmx = WritePmx("mei.pmx", PmxFromModel(*LoadModelDocument(mei)));
    const std::string chart = " --style SINGLE --difficulty ANOTHER --model ";
    const auto fromPmd = Temp("mei-pmd.vmd");
    const auto fromPmx = Temp("mei-pmx.vmd");
    ASSERT_EQ(
        RunCli("motion " + Quoted(dwi) + chart + Quoted(mei) + " -o " + Quoted(fromPmd)).status, 0);
    const CommandResult made
        = RunCli("motion " + Quoted(dwi) + chart + Quoted(pmx) + " -o " + Quoted(fromPmx));
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(made.err.empty()) << made.err;
    // The dance is measured from the same leg bones, so it is the same motion.
    EXPECT_EQ(ReadAll(fromPmd), ReadAll(fromPmx));
}

} // namespace
