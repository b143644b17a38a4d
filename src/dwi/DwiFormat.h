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

// The panel mask of each byte, -1 for bytes that are no arrow: the first text in mask order
// that begins with the byte. A "<" reaching this lookup (one nested inside a group) therefore
// reads as left, down and up, the first entry that begins with it.
inline constexpr std::array<std::int8_t, 256> kArrowMasks = [] {
    std::array<std::int8_t, 256> masks{};
    masks.fill(-1);
    for (std::size_t mask = kArrowTexts.size(); mask-- > 0;)
        masks[static_cast<unsigned char>(kArrowTexts[mask].front())]
            = static_cast<std::int8_t>(mask);
    return masks;
}();

// The panel mask of a chart character; none for a character that is no arrow. Read once per
// byte of every chart, so a table rather than a search.
constexpr std::optional<std::uint8_t> ArrowMask(char c)
{
    const std::int8_t mask = kArrowMasks[static_cast<unsigned char>(c)];
    if (mask < 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(mask);
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
