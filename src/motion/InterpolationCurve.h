#pragma once

#include <array>
#include <cstdint>

namespace zelvane {

// The easing of one channel of a bone key: a cubic Bezier from (0, 0) to (127, 127) through
// the control points (x1, y1) and (x2, y2). The curve is tabulated once so that sampling a
// pose during playback is a lookup, not a root search.
class InterpolationCurve {
public:
    static constexpr std::int8_t kDefaultX1 = 25;
    static constexpr std::int8_t kDefaultY1 = 25;
    static constexpr std::int8_t kDefaultX2 = 102;
    static constexpr std::int8_t kDefaultY2 = 102;

    InterpolationCurve() { Set(kDefaultX1, kDefaultY1, kDefaultX2, kDefaultY2); }
    InterpolationCurve(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
    {
        Set(x1, y1, x2, y2);
    }

    std::int8_t x1() const { return m_x1; }
    std::int8_t y1() const { return m_y1; }
    std::int8_t x2() const { return m_x2; }
    std::int8_t y2() const { return m_y2; }
    const std::array<std::int8_t, 128>& table() const { return m_table; }

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
    std::array<std::int8_t, 128> m_table{};
};

} // namespace zelvane
