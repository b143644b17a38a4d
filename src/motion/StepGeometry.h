#pragma once

#include "motion/MotionInput.h"
#include "motion/MotionMath.h"

namespace zelvane {

// Angles as single-precision constants: facings are compared with these exactly.
constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kThreeHalfPi = 4.712389f;

// Floor point of a dancer's relative panel. A pad is a 3 x 3 grid of side panelSize with
// the panel centres a third of it apart; the second pad of DOUBLE and the second dancer of
// COUPLE stand one pad to the right. +z is toward the screen.
Vector3 PanelPosition(int panel, const MotionParameters& parameters);

// Distance in the floor plane.
float FloorDistance(const Vector3& a, const Vector3& b);

// Brings an angle into [-pi, pi].
float WrapAngle(float angle);

// Yaw of a body with the left foot at `left` and the right foot at `right`: pi facing the
// screen with the feet side by side, 0 with the back to the screen.
float FacingAngle(const Vector3& left, const Vector3& right);

// Whether turning from facing `from` to facing `to` passes through the back to the screen.
bool TurnsThroughBack(float from, float to);

} // namespace zelvane
