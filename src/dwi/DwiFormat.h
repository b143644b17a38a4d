#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelvane::dwi {

// What the reader and the writer agree on about the text of a DWI chart.

// One character (or a bracketed group of three or four) stands for the panels of one pad
// that are stepped on together. The index is the panel mask: bit 0 left, bit 1 down, bit 2
// up, bit 3 right.
inline constexpr std::array<std::string_view, 16> kArrowTexts{
    "0", "4", "2", "1", "8", "7", "A", "<81>", "6", "B", "3", "<61>", "9", "<8B>", "<83>", "<19>",
};

inline constexpr std::int32_t kPanelsPerPad = 4;
inline constexpr std::int32_t kClocksPerMeasure = 192;
inline constexpr std::int32_t kDefaultStepClocks = 24; // an eighth note

// The panel mask of a chart character, found by comparing it with the first character of
// each text in mask order. A "<" reaching this lookup (one nested inside a group) therefore
// reads as left, down and up, the first entry that begins with it.
constexpr std::optional<std::uint8_t> ArrowMask(char c)
{
    for (std::size_t mask = 0; mask < kArrowTexts.size(); ++mask)
        if (kArrowTexts[mask].front() == c)
            return static_cast<std::uint8_t>(mask);
    return std::nullopt;
}

// The clocks per step that a step-size character sets; none for any other character.
constexpr std::optional<std::int32_t> StepClocksOf(char c)
{
    switch (c) {
    case '(':
        return 12;
    case '[':
        return 8;
    case '{':
        return 3;
    case '`':
        return 1;
    case ')':
    case ']':
    case '}':
    case '\'':
        return kDefaultStepClocks;
    default:
        return std::nullopt;
    }
}

// The brackets that put a measure into a step size, and the steps a writer may choose.
struct StepSize {
    std::int32_t clocks;
    std::string_view opening;
    std::string_view closing;
};

inline constexpr std::array<StepSize, 5> kStepSizes{{
    {24, "", ""},
    {12, "(", ")"},
    {8, "[", "]"},
    {3, "{", "}"},
    {1, "`", "'"},
}};

} // namespace zelvane::dwi
