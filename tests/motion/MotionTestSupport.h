#pragma once

#include "BitHash.h"
#include "model/NameIds.h"
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
            return stepFrame;
    }
    return nullptr;
}

inline const CBoneFrame* KeyAt(const CMotionGenerator& generator, int nameID, std::int32_t frame)
{
    const CBoneFrameSequence* sequence = generator.boneSequences().Find(nameID);
    return sequence ? sequence->Find(frame) : nullptr;
}

// Every key of every bone, bit for bit, bones in the order the sequences were created.
inline std::uint64_t KeyHash(const CMotionGenerator& generator)
{
    BitHash hash;
    for (const auto& [nameID, sequence] : generator.boneSequences()) {
        hash.Add(IDToName(nameID));
        hash.Add(static_cast<std::uint32_t>(sequence->size()));
        for (const CBoneFrame& key : sequence->keys()) {
            hash.Add(key.frame);
            for (const float value :
                 {key.translation.x, key.translation.y, key.translation.z, key.rotation.x,
                  key.rotation.y, key.rotation.z, key.rotation.w})
                hash.Add(value);
            for (const InterpolationCurve& curve : key.curves) {
                for (const std::int8_t point : {curve.x1(), curve.y1(), curve.x2(), curve.y2()})
                    hash.Add(static_cast<std::int32_t>(point));
            }
        }
    }
    return hash.value();
}

// Where every step frame has the feet and which way it faces.
inline std::uint64_t StepFrameHash(const CMotionGenerator& generator)
{
    BitHash hash;
    for (const auto& frame : generator.stepFrames()) {
        hash.Add(frame->frame);
        for (const CStepFrame::FOOT* foot : {&frame->left, &frame->right}) {
            hash.Add(foot->panel);
            hash.Add(static_cast<std::int32_t>(foot->holding) * 2
                     + static_cast<std::int32_t>(foot->stepped));
        }
        hash.Add(frame->facing);
    }
    return hash.value();
}

// The same dance: every key of every bone and every step frame alike, bit for bit.
inline void ExpectSameRun(const CMotionGenerator& actual, const CMotionGenerator& expected)
{
    EXPECT_EQ(actual.boneSequences().KeyCount(), expected.boneSequences().KeyCount());
    EXPECT_EQ(KeyHash(actual), KeyHash(expected));
    EXPECT_EQ(StepFrameHash(actual), StepFrameHash(expected));
}

} // namespace zelvane::test
