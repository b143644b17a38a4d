#pragma once

// What the posing tests share: how near a point came, bones to build models of, where a
// bone's head went, and the greeting motion on the shared model.

#include "TestData.h"
#include "model/ModelInstance.h"
#include "model/NameIds.h"
#include "model/PmdReader.h"
#include "model/PmxFile.h"
#include "motion/MotionDocument.h"

#include <gtest/gtest.h>

namespace zelvane::test {

inline void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f)
{
    EXPECT_LE(Length(actual - expected), tolerance)
        << actual.x << ", " << actual.y << ", " << actual.z << " instead of " << expected.x << ", "
        << expected.y << ", " << expected.z;
}

inline CModelBone ModelBone(const char* name, int parent = -1, Vector3 position = {})
{
    CModelBone bone;
    bone.nameID = NameToID(name);
    bone.parent = parent;
    bone.position = position;
    return bone;
}

// A PMX bone that turns, and does what the flags add.
inline PmxBone PmxBoneAt(const char* name, int parent, Vector3 position, std::uint16_t flags = 0)
{
    PmxBone bone;
    bone.name = name;
    bone.parent = parent;
    bone.position = position;
    bone.flags = static_cast<std::uint16_t>(PmxBone::kRotatable | flags);
    return bone;
}

inline Vector3 Head(const CModelInstance& instance, int bone)
{
    return instance.boneInstances[static_cast<std::size_t>(bone)].WorldPosition();
}

// The greeting motion on the shared model; tests start with REQUIRE_GREETING().
struct Greeting {
    std::unique_ptr<CModelDocument> model = LoadModelDocument(SharedTestData("models/mei/mei.pmd"));
    CMotionDocument motion;

    Greeting() { motion.Load(SharedTestData("motions/mei_greeting.vmd")); }

    void Sample(CModelInstance& instance, std::int32_t frame) const
    {
        instance.SampleBones([&](int nameID) -> BonePose {
            const CBoneFrameSequence* sequence = motion.boneSequences.Find(nameID);
            return sequence ? sequence->Sample(frame) : BonePose{};
        });
    }

    void Pose(CModelInstance& instance, std::int32_t frame) const
    {
        Sample(instance, frame);
        instance.Update();
    }
};

#define REQUIRE_GREETING()                                                                         \
    ZELVANE_REQUIRE_SHARED(::zelvane::test::SharedTestData("models/mei/mei.pmd"));                 \
    ZELVANE_REQUIRE_SHARED(::zelvane::test::SharedTestData("motions/mei_greeting.vmd"))

} // namespace zelvane::test
