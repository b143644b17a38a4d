#include "TestData.h"
#include "model/ModelInstance.h"
#include "model/ModelMeasurements.h"
#include "model/NameIds.h"
#include "model/PmdReader.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

using namespace zelvane;

namespace {

std::filesystem::path MannequinPath()
{
    // The project's test data folder is tests/data; the mannequin ships under resources/.
    return std::filesystem::path(ZELVANE_TEST_DATA).parent_path().parent_path()
        / "resources/mannequin/mannequin.pmd";
}

} // namespace

TEST(Mannequin, HasTheSkeletonTheDanceNeeds)
{
    const auto model = LoadModelDocument(MannequinPath());
    // Every built-in bone name except the eyes and the non-bone texts.
    for (int id = 500; id <= 552; ++id) {
        if (id == 503 || id == 505 || id == 506 || (id >= 547 && id <= 549))
            continue;
        EXPECT_NE(model->FindBone(id), nullptr) << IDToName(id);
    }
    EXPECT_TRUE(model->FindBone(509)->isKnee);
    EXPECT_TRUE(model->FindBone(527)->isKnee);

    // The foot chains end at the ankles and turn knee then hip; the toe chains turn the ankle.
    ASSERT_EQ(model->iks.size(), 4u);
    auto id = [&](int bone) { return model->bones[static_cast<std::size_t>(bone)].nameID; };
    EXPECT_EQ(id(model->iks[0].ikBone), 507);
    EXPECT_EQ(IDToName(id(model->iks[0].effector)), "左足首");
    EXPECT_EQ(id(model->iks[0].chain[0]), 509);
    EXPECT_EQ(id(model->iks[0].chain[1]), 501);
    EXPECT_EQ(id(model->iks[1].ikBone), 508);
    EXPECT_EQ(id(model->iks[1].chain[0]), 527);
    EXPECT_EQ(id(model->iks[2].ikBone), 551);
    EXPECT_EQ(id(model->iks[3].ikBone), 552);

    // Sized so the dance uses its default measurements on it.
    const ModelMeasurements parameters = MeasureModel(model.get());
    EXPECT_FLOAT_EQ(parameters.panelSize, ModelMeasurements::kDefaultPanelSize);
    EXPECT_FLOAT_EQ(parameters.leftFootRestX, ModelMeasurements::kDefaultLeftFootRestX);
    EXPECT_FLOAT_EQ(parameters.rightFootRestX, ModelMeasurements::kDefaultRightFootRestX);
    EXPECT_FLOAT_EQ(parameters.toeReach, ModelMeasurements::kDefaultToeReach);

    // A whole file: the sections after the bone display list are there too.
    EXPECT_EQ(model->englishName, "Mannequin");
    EXPECT_EQ(model->toonPaths[0].substr(model->toonPaths[0].size() - 10), "toon01.bmp");
    int faces = 0;
    for (const CModelMaterial& material : model->materials)
        faces += material.faceVertexCount;
    EXPECT_EQ(static_cast<std::size_t>(faces), model->indices.size());
    for (std::uint16_t index : model->indices)
        ASSERT_LT(index, model->vertices.size());
}

TEST(Mannequin, BendsAtItsJoints)
{
    const auto model = LoadModelDocument(MannequinPath());
    CModelInstance instance(*model);
    const int footIK = model->FindBoneIndex(507);
    const int knee = model->FindBoneIndex(509);
    const int ankle = model->FindBoneIndex(NameToID("左足首"));
    instance.boneInstances[static_cast<std::size_t>(footIK)].translation = {0, 3, -2};
    instance.Update();
    const auto& bones = instance.boneInstances;
    const Vector3 target = bones[static_cast<std::size_t>(footIK)].WorldPosition();
    EXPECT_LT(Length(bones[static_cast<std::size_t>(ankle)].WorldPosition() - target), 0.01f);
    EXPECT_LT(bones[static_cast<std::size_t>(knee)].WorldPosition().z, -1.0f);

    // Joint vertices follow two bones half and half: the knee's box meets the thigh's.
    int blended = 0;
    for (const CModelVertex& vertex : model->vertices) {
        if (vertex.weight == 50 && vertex.bone0 == knee)
            ++blended;
    }
    EXPECT_EQ(blended, 12); // the near end of the shin box: four corners on three faces
}
