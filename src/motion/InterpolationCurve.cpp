#include "motion/InterpolationCurve.h"

namespace zelvane {

const InterpolationCurve::Table& InterpolationCurve::table() const
{
    if (m_table != CCurveTables::kUntabulated)
        return CCurveTables::Shared().Get(m_table);
    thread_local Table computed;
    computed = CCurveTables::Compute(m_x1, m_y1, m_x2, m_y2);
    return computed;
}

void InterpolationCurve::Set(std::int8_t x1, std::int8_t y1, std::int8_t x2, std::int8_t y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    m_table = CCurveTables::Shared().IndexOf(x1, y1, x2, y2);
}

} // namespace zelvane
