#pragma once

#include "beat/OnsetEnvelope.h"

namespace zelvane {

// The beat period (in envelope frames) that repeats best through the whole envelope, between
// `minFrames` and `maxFrames`: the peak of the envelope's autocorrelation summed over the first
// four multiples of the period, so that a period whose bars also repeat wins over one that
// only matches its neighbour. This is a first guess, a frame or so off, and may be the beat's
// half or double; 0 when the envelope is too short for two periods.
double StrongestBeatPeriod(const OnsetEnvelope& envelope, double minFrames, double maxFrames);

} // namespace zelvane
