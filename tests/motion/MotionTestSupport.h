#pragma once

#include "motion/MotionGenerator.h"

#include <gtest/gtest.h>
#include <vector>

namespace zelvane::test {

inline MotionInput MakeInput(Style style, std::vector<CNote> notes, std::int32_t length = 0,
                             std::int32_t firstPanel = 0)
{
    MotionInput input;
    input.notes = std::move(notes);
    input.scoreLength = length;
    input.parameters.style = style;
    input.parameters.firstPanel = firstPanel;
    input.parameters.panelCount = style == Style::DOUBLE ? 8 : 4;
    return input;
}

inline const CStepFrame* FrameAt(const CMotionGenerator& generator, std::int32_t frame)
{
    for (const auto& stepFrame : generator.stepFrames()) {
        if (stepFrame->frame == frame)
            return stepFrame.get();
    }
    return nullptr;
}

inline const CBoneFrame* KeyAt(const CMotionGenerator& generator, int nameID, std::int32_t frame)
{
    const CBoneFrameSequence* sequence = generator.boneSequences().Find(nameID);
    return sequence ? sequence->Find(frame) : nullptr;
}

// Every key of every bone the same, bit for bit.
inline void ExpectSameKeys(const CMotionGenerator& actual, const CMotionGenerator& expected)
{
    ASSERT_EQ(actual.boneSequences().size(), expected.boneSequences().size());
    for (const auto& [nameID, sequence] : expected.boneSequences()) {
        const CBoneFrameSequence* other = actual.boneSequences().Find(nameID);
        ASSERT_NE(other, nullptr) << "bone " << nameID;
        ASSERT_EQ(other->size(), sequence->size()) << "bone " << nameID;
        for (std::size_t i = 0; i < sequence->size(); ++i) {
            const CBoneFrame& a = other->keys()[i];
            const CBoneFrame& b = sequence->keys()[i];
            EXPECT_EQ(a.frame, b.frame) << "bone " << nameID << " key " << i;
            EXPECT_EQ(a.translation, b.translation) << "bone " << nameID << " frame " << b.frame;
            EXPECT_EQ(a.rotation, b.rotation) << "bone " << nameID << " frame " << b.frame;
            EXPECT_EQ(a.curves, b.curves) << "bone " << nameID << " frame " << b.frame;
        }
    }
}

} // namespace zelvane::test
