#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace zelvane {

// The easing of one channel of a bone key: a cubic Bezier from (0, 0) to (127, 127) through
// the control points (x1, y1) and (x2, y2). The curve is tabulated once so that sampling a
// pose during playback is a lookup, not a root search.
//
// A key carries four curves and a dance has thousands of keys made with a handful of
// curves, so the tables are referred to rather than held: a common curve points at its one
// table, computed once and never freed, and owns nothing (copying it touches no counter);
// any other curve owns its table, shared between the copies of its key.
class InterpolationCurve {
public:
    using Table = std::array<std::int8_t, 128>;

    static constexpr std::int8_t kDefaultX1 = 25;
    static constexpr std::int8_t kDefaultY1 = 25;
    static constexpr std::int8_t kDefaultX2 = 102;
    static constexpr std::int8_t kDefaultY2 = 102;

    // The curve of a new key; it shares the table of every other.
    InterpolationCurve();
    InterpolationCurve(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
    {
        Set(x1, y1, x2, y2);
    }

    std::int8_t x1() const { return m_x1; }
    std::int8_t y1() const { return m_y1; }
    std::int8_t x2() const { return m_x2; }
    std::int8_t y2() const { return m_y2; }
    const Table& table() const { return *m_table; }

    // Sets the control points and rebuilds the table.
    void Set(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2);

    bool operator==(const InterpolationCurve& other) const
    {
        return m_x1 == other.m_x1 && m_y1 == other.m_y1 && m_x2 == other.m_x2 && m_y2 == other.m_y2;
    }

private:
    void BuildTable();

    std::int8_t m_x1 = 0;
    std::int8_t m_y1 = 0;
    std::int8_t m_x2 = 0;
    std::int8_t m_y2 = 0;
    std::shared_ptr<const Table> m_table;
};

} // namespace zelvane
