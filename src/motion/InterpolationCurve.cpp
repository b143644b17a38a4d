#include "motion/InterpolationCurve.h"

namespace zelvane {

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
    // For every curve x the parameter t is found by bisection (at most 15 halvings, down to
    // steps of 1/65536) and the curve height at t is kept. Single precision throughout: the
    // tables of the files this program writes are reproduced exactly by MMD.
    const float x1 = m_x1;
    const float y1 = m_y1;
    const float x2 = m_x2;
    const float y2 = m_y2;
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
        m_table[i] = static_cast<std::int8_t>(static_cast<int>(y));
    }
}

} // namespace zelvane
