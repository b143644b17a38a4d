#pragma once

#include "stepmania/SmTiming.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zelvane::stepmania {

// One chart of a StepMania file, as written.
struct SmChartText {
    std::string stepsType;   // "dance-single", ...
    std::string description; // an Edit chart's name, or its author
    std::string difficulty;  // "Beginner" ... "Challenge", "Edit"
    std::int32_t meter = 0;
    std::string noteData;
    SmTimingTags ownTiming; // an .ssc chart's timing tags
    std::size_t line = 0;   // where the chart starts
};

// A .sm or .ssc file, its tags read and its charts kept as text.
struct SmFileText {
    std::string title;
    std::string artist;
    std::string music;
    SmTimingTags timing;
    std::vector<SmChartText> charts;
};

// Reads the values of a StepMania file (UTF-8, or CP932 when the bytes are no UTF-8). `ssc`
// selects the layout of the charts: `#NOTES:type:description:difficulty:meter:radar:data;`
// in .sm, `#NOTEDATA` blocks with a tag a field in .ssc (where .sm's layout is read too).
// Throws FileFormatError when the bytes hold NUL bytes or no StepMania tag at all.
SmFileText ReadSmFile(std::span<const std::uint8_t> bytes, bool ssc);

} // namespace zelvane::stepmania
