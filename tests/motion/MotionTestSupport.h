#pragma once

#include "model/NameIds.h"
#include "motion/MotionGenerator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
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

// Sixteenth notes round the SINGLE pad for `beats` beats, a short freeze every other beat;
// every clock in `edits` turns the panels from there on one further.
inline MotionInput Sixteenths(int beats, std::initializer_list<std::int32_t> edits = {})
{
    std::vector<CNote> notes;
    for (std::int32_t clock = 0; clock < 48 * beats; clock += 12) {
        const auto turned = std::count_if(edits.begin(), edits.end(),
                                          [clock](std::int32_t edit) { return edit <= clock; });
        notes.push_back(
            {clock, static_cast<std::int32_t>((clock / 12 + turned) % 4), clock % 96 ? 0 : 24});
    }
    return MakeInput(Style::SINGLE, std::move(notes), 48 * beats);
}

// The dance of a fresh full run of `input` (a generator can be neither copied nor moved).
inline std::unique_ptr<CMotionGenerator> FullRun(const MotionInput& input)
{
    auto generator = std::make_unique<CMotionGenerator>();
    generator->Generate(input, 0);
    return generator;
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

// A key and a step frame as values to compare, floats by their bits (0 and -0 differ).
inline std::uint32_t Bits(float v)
{
    return std::bit_cast<std::uint32_t>(v);
}
inline auto Values(const CBoneFrame& k)
{
    const Vector3& p = k.translation;
    const Quaternion& r = k.rotation;
    return std::tuple(
        k.frame, k.curves,
        std::array{Bits(p.x), Bits(p.y), Bits(p.z), Bits(r.x), Bits(r.y), Bits(r.z), Bits(r.w)});
}
inline auto Values(const CStepFrame* f)
{
    return std::tuple(f->frame, f->left.panel, f->left.holding, f->left.stepped, f->right.panel,
                      f->right.holding, f->right.stepped, Bits(f->facing));
}

// The same dance: the same bones in the order their sequences were created, every key and
// every step frame alike. A failure names the first difference.
inline ::testing::AssertionResult SameRun(const CMotionGenerator& actual,
                                          const CMotionGenerator& expected)
{
    const auto same = [](const auto& x, const auto& y) { return Values(x) == Values(y); };
    if (actual.boneSequences().size() != expected.boneSequences().size())
        return ::testing::AssertionFailure() << "the dances move different sets of bones";
    auto other = expected.boneSequences().begin();
    for (const auto& [nameID, sequence] : actual.boneSequences()) {
        const auto& [otherID, otherSequence] = *other++;
        const auto& a = sequence->keys();
        const auto& b = otherSequence->keys();
        const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(), same);
        if (nameID != otherID || x != a.end() || y != b.end())
            return ::testing::AssertionFailure()
                << IDToName(nameID) << " (or the bone in its place) differs from key "
                << x - a.begin();
    }
    const auto& a = actual.stepFrames();
    const auto& b = expected.stepFrames();
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(), same);
    if (x != a.end() || y != b.end())
        return ::testing::AssertionFailure() << "the step frames differ from " << x - a.begin();
    return ::testing::AssertionSuccess();
}

// A run of `before` restarted from `fromClock` on `after` must dance a full run of `after`.
inline void ExpectRestartIsAFullRun(const char* name, const MotionInput& before,
                                    const MotionInput& after, std::int32_t fromClock)
{
    SCOPED_TRACE(name);
    CMotionGenerator incremental;
    incremental.Generate(before, 0);
    incremental.Generate(after, fromClock);
    EXPECT_TRUE(SameRun(incremental, *FullRun(after)));
}

} // namespace zelvane::test
