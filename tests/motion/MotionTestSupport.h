#pragma once

#include "model/NameIds.h"
#include "motion/MotionGenerator.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <tuple>
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

// Floats alike bit for bit: 0 and -0 differ.
inline bool SameBits(std::initializer_list<float> a, std::initializer_list<float> b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](float x, float y) {
        return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y);
    });
}

// The same dance: the same bones in the order their sequences were created, every key and
// every step frame alike bit for bit. A failure names the first difference.
inline ::testing::AssertionResult SameRun(const CMotionGenerator& actual,
                                          const CMotionGenerator& expected)
{
    const auto& bones = actual.boneSequences();
    if (bones.size() != expected.boneSequences().size())
        return ::testing::AssertionFailure()
            << bones.size() << " bones, not " << expected.boneSequences().size();
    auto other = expected.boneSequences().begin();
    for (const auto& [nameID, sequence] : bones) {
        const auto& [otherID, otherSequence] = *other++;
        if (nameID != otherID || sequence->size() != otherSequence->size())
            return ::testing::AssertionFailure()
                << IDToName(nameID) << ": " << sequence->size() << " keys, not "
                << IDToName(otherID) << ": " << otherSequence->size();
        for (std::size_t k = 0; k < sequence->size(); ++k) {
            const CBoneFrame& a = sequence->keys()[k];
            const CBoneFrame& b = otherSequence->keys()[k];
            const Vector3 &p = a.translation, &q = b.translation;
            const Quaternion &r = a.rotation, &s = b.rotation;
            if (a.frame != b.frame || a.curves != b.curves
                || !SameBits({p.x, p.y, p.z, r.x, r.y, r.z, r.w},
                             {q.x, q.y, q.z, s.x, s.y, s.z, s.w}))
                return ::testing::AssertionFailure()
                    << IDToName(nameID) << " key " << k << " (frame " << a.frame << ") differs";
        }
    }
    const auto& frames = actual.stepFrames();
    if (frames.size() != expected.stepFrames().size())
        return ::testing::AssertionFailure()
            << frames.size() << " step frames, not " << expected.stepFrames().size();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const CStepFrame& a = *frames[i];
        const CStepFrame& b = *expected.stepFrames()[i];
        const auto foot
            = [](const CStepFrame::FOOT& f) { return std::tuple(f.panel, f.holding, f.stepped); };
        if (a.frame != b.frame || foot(a.left) != foot(b.left) || foot(a.right) != foot(b.right)
            || !SameBits({a.facing}, {b.facing}))
            return ::testing::AssertionFailure()
                << "step frame " << i << " (frame " << a.frame << ") differs";
    }
    return ::testing::AssertionSuccess();
}

inline void ExpectSameRun(const CMotionGenerator& actual, const CMotionGenerator& expected)
{
    EXPECT_TRUE(SameRun(actual, expected));
}

} // namespace zelvane::test
