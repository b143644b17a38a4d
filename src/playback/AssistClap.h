#pragma once

#include <cstdint>
#include <vector>

namespace zelvane {

class CTempoMap;

// The assist clap: a short click the player mixes into the song at every note, so a chart's
// author hears whether the steps sit on the beat.
namespace AssistClap {

// The click at `sampleRate`, mono: a 2 kHz tone that dies away within about 20 ms, bright
// enough to cut through a drum track and short enough for sixteenth notes at any tempo.
std::vector<std::int16_t> SynthesizeClick(int sampleRate);

// The sample frames of the song at which the notes at `noteClocks` sound, through the
// document's tempo map and gap: the exact time of each note, not the frame the views show it
// at. Notes before the song's start and notes inside a warp (which are not danced) are left
// out; clocks that repeat (a jump) click once. A map whose song tempo breaks the limits
// clicks nowhere.
std::vector<std::int64_t> ClickFrames(const std::vector<std::int32_t>& noteClocks,
                                      const CTempoMap& tempo, std::int32_t gap, int sampleRate);

} // namespace AssistClap
} // namespace zelvane
