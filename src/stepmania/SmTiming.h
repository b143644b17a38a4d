#pragma once

#include "base/TempoMap.h"
#include "text/Reason.h"

#include <optional>
#include <string>
#include <vector>

namespace zelvane::stepmania {

// The timing tags of a song or of one chart, as written. A chart's own tags replace the
// song's one by one.
struct SmTimingTags {
    std::optional<std::string> offset;
    std::optional<std::string> bpms;
    std::optional<std::string> stops; // #STOPS, or #FREEZES of older files
    std::optional<std::string> delays;
    std::optional<std::string> warps;

    bool empty() const { return !offset && !bpms && !stops && !delays && !warps; }
    // These tags with `own`'s in place of those it has.
    SmTimingTags OverriddenBy(const SmTimingTags& own) const;
};

// The song's timing in the program's terms.
struct SmTiming {
    CTempoMap tempo{120.0f};
    std::int32_t gap = 0; // milliseconds, -#OFFSET x 1000 rounded
    bool operator==(const SmTiming&) const = default;
};

// The clock of a beat: beat x 48 to the nearest clock, ties to even. Empty for beats no
// clock holds.
std::optional<std::int64_t> BeatToClock(double beat);

// Reads the tags into a tempo map. `negativeAsWarps` is the .sm rule: a negative tempo runs
// the chart back until a positive tempo catches up, and a negative stop skips ahead, both of
// which StepMania turns into warps. Entries it cannot read are passed over, each adding a
// reason to `passedOver`. Throws FileFormatError when no tempo can be read at all or the map
// breaks its limits.
SmTiming ReadTiming(const SmTimingTags& tags, bool negativeAsWarps,
                    std::vector<Reason>& passedOver);

} // namespace zelvane::stepmania
