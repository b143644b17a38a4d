#include "motion/StepGeometry.h"

#include <cmath>

namespace zelvane {

Vector3 PanelPosition(int panel, const MotionParameters& parameters)
{
    const float h = parameters.panelSize;
    const float u = h / 3.0f;
    Vector3 position;
    if (parameters.style == Style::DOUBLE) {
        if (panel >= 4) {
            panel -= 4;
            position.x = h / 2.0f;
        } else {
            position.x = -h / 2.0f;
        }
    }
    switch (panel) {
    case 0:
        position.x = position.x - u;
        break;
    case 1:
        position.z = -u;
        break;
    case 2:
        position.z = u;
        break;
    case 3:
        position.x = position.x + u;
        break;
    default:
        break;
    }
    if (parameters.style == Style::COUPLE)
        position.x = parameters.firstPanel > 0 ? position.x + h / 2.0f : position.x - h / 2.0f;
    return position;
}

float FloorDistance(const Vector3& a, const Vector3& b)
{
    const float dx = a.x - b.x;
    const float dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
}

float WrapAngle(float angle)
{
    if (!std::isfinite(angle))
        return angle;
    while (angle < -kPi)
        angle += kTwoPi;
    while (angle > kPi)
        angle -= kTwoPi;
    return angle;
}

float FacingAngle(const Vector3& left, const Vector3& right)
{
    const float dx = right.x - left.x;
    const float dz = right.z - left.z;
    float angle;
    if (dx == 0.0f) {
        angle = right.z > left.z ? kHalfPi : kThreeHalfPi;
    } else {
        angle = kPi - std::atan(dz / dx);
        if (left.x > right.x)
            angle += kPi;
    }
    return WrapAngle(angle);
}

bool TurnsThroughBack(float from, float to)
{
    if (to == 0.0f)
        return true;
    if (std::signbit(from) == std::signbit(to))
        return false;
    return std::fabs(to - from) < kPi;
}

} // namespace zelvane
