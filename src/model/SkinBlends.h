#pragma once

#include "model/Matrix.h"

#include <cstddef>

namespace zelvane {

// The blends a PMX vertex's weights call for, from its bones' world matrices (rotation in
// the upper 3 × 3, translation in the last row). `weights` add up to one.

// Σ wᵢ · Mᵢ, element by element; one bone of weight one gives its matrix exactly.
Matrix LinearBlend(const Matrix* const* bones, const float* weights, std::size_t count);

// The rigid transform of the blended unit dual quaternions of the bones: unlike the linear
// blend it never shrinks what it turns, so a joint keeps its volume however far it bends.
Matrix DualQuaternionBlend(const Matrix* const* bones, const float* weights, std::size_t count);

// The rotation of a spherical blend: the bones' rotations interpolated on the sphere by the
// second bone's weight, the shorter way. The translation row is zero.
Matrix SphericalRotation(const Matrix& bone0, const Matrix& bone1, float weight1);
// The same from the bones' rotations as unit quaternions.
Matrix SphericalRotation(const Quaternion& bone0, const Quaternion& bone1, float weight1);

// The Hamilton product a·b (for the rotation of a vector v as q v q*), which turns v by b
// first and then by a.
Quaternion HamiltonProduct(const Quaternion& a, const Quaternion& b);

} // namespace zelvane
