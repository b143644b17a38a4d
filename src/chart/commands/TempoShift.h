#pragma once

#include "base/TempoMap.h"

#include <cstdint>

namespace zelvane {

// The tempo map as inserting or deleting rows leaves it: its events move with the notes, so
// each note keeps the tempo, stops and delays it had. Both throw ChartLimitError when the
// moved events no longer make a map (the map's reason), the map as it was.

// Events at or after `start` move `length` clocks later; a warp across `start` grows by the
// inserted clocks, so the notes it skipped stay skipped.
CTempoMap TempoMapWithInsertedClocks(const CTempoMap& tempo, std::int32_t start,
                                     std::int32_t length);
// Events inside start <= clock < start + length go, except the song's tempo at clock 0;
// later ones move up by `length`. A warp keeps whatever of its clocks remains. A tempo change
// moved to clock 0 becomes the song's tempo.
CTempoMap TempoMapWithDeletedClocks(const CTempoMap& tempo, std::int32_t start,
                                    std::int32_t length);

} // namespace zelvane
