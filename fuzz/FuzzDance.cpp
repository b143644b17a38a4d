// Dances tiny charts made of arbitrary bytes: the generator must neither crash nor throw
// anything but a core error. Charts are held to a few measures and a few dozen notes so that
// a run takes well under a millisecond; what a long chart adds is more of the same steps.
//
// Bytes: style, tempo, flags, then four bytes per note (clock low, clock high, panel,
// length).
#include "base/TimeUnits.h"
#include "motion/MotionGenerator.h"
#include "text/Errors.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace {

constexpr std::int32_t kMaxFuzzClock = 8 * zelvane::kClocksPerMeasure;
constexpr std::size_t kMaxFuzzNotes = 48;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelvane;
    if (size < 3)
        return 0;
    static constexpr std::array<float, 8> kTempos{60.0f,  90.0f,  120.0f, 150.0f,
                                                  180.0f, 240.0f, 400.0f, 1.5f};
    MotionInput input;
    MotionParameters& parameters = input.parameters;
    parameters.style = static_cast<Style>(data[0] % kStyleCount);
    parameters.panelCount = parameters.style == Style::SINGLE ? 4 : 8;
    if (parameters.style == Style::COUPLE) {
        parameters.panelCount = 4;
        parameters.firstPanel = (data[0] / kStyleCount) % 2 * 4;
    }
    parameters.tempo = CTempoMap(kTempos[data[1] % kTempos.size()]);
    parameters.gap = static_cast<std::int8_t>(data[1]) * 10;
    parameters.twist = (data[2] & 1) != 0;
    parameters.turnEnabled = (data[2] & 2) != 0;

    for (std::size_t at = 3; at + 4 <= size && input.notes.size() < kMaxFuzzNotes; at += 4) {
        CNote note;
        note.clock = (data[at] | data[at + 1] << 8) % kMaxFuzzClock;
        note.panel = data[at + 2] % StylePanelCount(parameters.style);
        note.length = data[at + 3] < 200 ? 0 : (data[at + 3] - 199) * 6;
        input.notes.push_back(note);
        input.scoreLength = std::max(input.scoreLength, note.clock + note.length);
    }
    CMotionGenerator generator;
    try {
        generator.Generate(input, 0);
        // An edit half-way: the dance is made again from there on.
        if (!input.notes.empty()) {
            input.notes.pop_back();
            generator.Generate(input, input.scoreLength / 2);
        }
    } catch (const CoreError&) {
    }
    return 0;
}
