#include "motion/InterpolationCurve.h"

namespace zelvane {
namespace {

using Table = std::array<std::int8_t, 128>;

// For every curve x the parameter t is found by bisection (at most 15 halvings, down to
// steps of 1/65536) and the curve height at t is kept. Single precision throughout: the
// tables of the files this program writes are reproduced exactly by MMD.
Table ComputeTable(float x1, float y1, float x2, float y2)
{
    Table table{};
    for (int i = 0; i < 128; ++i) {
        float t = 0.5f;
        float s = 1.0f - t;
        for (int j = 0;;) {
            const float x = 3.0f * s * s * t * x1 + 3.0f * s * t * t * x2 + t * t * t * 127.0f
                - static_cast<float>(i);
            if (x == 0.0f)
                break;
            const float step = 1.0f / (4.0f * static_cast<float>(1 << j));
            t = x > 0.0f ? t - step : t + step;
            s = 1.0f - t;
            ++j;
            if (j > 14)
                break;
        }
        const float y = 3.0f * s * s * t * y1 + 3.0f * s * t * t * y2 + t * t * t * 127.0f;
        table[i] = static_cast<std::int8_t>(static_cast<int>(y));
    }
    return table;
}

struct CommonCurve {
    std::int8_t x1, y1, x2, y2;
    Table table;
};

// The dance creates thousands of keys with a handful of curves; their tables are computed
// once instead of at every key.
const CommonCurve* FindCommonCurve(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
{
    static const std::array<CommonCurve, 4> common = [] {
        std::array<CommonCurve, 4> curves = {{
            {25, 25, 102, 102, {}}, // new keys
            {20, 20, 107, 107, {}}, // centre keys, base pose
            {64, 0, 64, 127, {}},   // the centre's bounce
            {0, 20, 107, 107, {}},  // base pose
        }};
        for (CommonCurve& curve : curves)
            curve.table = ComputeTable(curve.x1, curve.y1, curve.x2, curve.y2);
        return curves;
    }();
    for (const CommonCurve& curve : common) {
        if (curve.x1 == x1 && curve.y1 == y1 && curve.x2 == x2 && curve.y2 == y2)
            return &curve;
    }
    return nullptr;
}

} // namespace

void InterpolationCurve::Set(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    BuildTable();
}

void InterpolationCurve::BuildTable()
{
    if (const CommonCurve* common = FindCommonCurve(m_x1, m_y1, m_x2, m_y2))
        m_table = common->table;
    else
        m_table = ComputeTable(m_x1, m_y1, m_x2, m_y2);
}

} // namespace zelvane
