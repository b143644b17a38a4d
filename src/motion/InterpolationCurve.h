#pragma once

#include "motion/CurveTables.h"

#include <array>
#include <cstdint>

namespace zelvane {

// The easing of one channel of a bone key: a cubic Bezier from (0, 0) to (127, 127) through
// the control points (x1, y1) and (x2, y2). The curve is tabulated once so that sampling a
// pose during playback is a lookup, not a root search.
//
// A key carries four curves and a dance has thousands of keys made with a handful of
// curves, so a curve holds its control points and the index of its table among the ones
// the program keeps (CCurveTables): six bytes, copied as plain data.
class InterpolationCurve {
public:
    using Table = CCurveTables::Table;

    static constexpr std::int8_t kDefaultX1 = 25;
    static constexpr std::int8_t kDefaultY1 = 25;
    static constexpr std::int8_t kDefaultX2 = 102;
    static constexpr std::int8_t kDefaultY2 = 102;

    // The curve of a new key.
    InterpolationCurve() = default;
    InterpolationCurve(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
    {
        Set(x1, y1, x2, y2);
    }

    std::int8_t x1() const { return m_x1; }
    std::int8_t y1() const { return m_y1; }
    std::int8_t x2() const { return m_x2; }
    std::int8_t y2() const { return m_y2; }
    // The curve's table. For the rare curve whose table is not kept it is computed here,
    // into storage of the calling thread that the next such call overwrites.
    const Table& table() const;

    // Sets the control points and looks up their table.
    void Set(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2);

    bool operator==(const InterpolationCurve& other) const
    {
        return m_x1 == other.m_x1 && m_y1 == other.m_y1 && m_x2 == other.m_x2 && m_y2 == other.m_y2;
    }

private:
    std::int8_t m_x1 = kDefaultX1;
    std::int8_t m_y1 = kDefaultY1;
    std::int8_t m_x2 = kDefaultX2;
    std::int8_t m_y2 = kDefaultY2;
    std::uint16_t m_table = CCurveTables::kDefault;
};

} // namespace zelvane
