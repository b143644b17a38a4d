#include "model/SkinLanes.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace zelvane {

namespace {

// Eight floats, which GCC keeps in one AVX register (two SSE ones in the base build). Lane
// values pass by reference: the base build has no AVX registers to pass them in.
using Lanes = float __attribute__((vector_size(32)));
constexpr std::size_t kLanes = sizeof(Lanes) / sizeof(float);

// A normal of no length stays zero rather than becoming NaN: the smallest normal float
// keeps the factor finite, and it changes no square above 1e-30.
constexpr float kSmallestSquare = std::numeric_limits<float>::min();

inline void Load(Lanes& lanes, const float* from)
{
    std::memcpy(&lanes, from, sizeof lanes);
}

inline void Store(float* to, const Lanes& lanes)
{
    std::memcpy(to, &lanes, sizeof lanes);
}

// Eight points given as their x, y and z lanes, written as eight x, y, z triples. Each half
// of the registers (points 0–3 and 4–7) is arranged on its own first, which needs only
// shuffles within halves, then the halves are paired up.
inline void StorePoints(float* to, const Lanes& x, const Lanes& y, const Lanes& z)
{
    const Lanes xyLow = __builtin_shufflevector(x, y, 0, 8, 1, 9, 4, 12, 5, 13);
    const Lanes xyHigh = __builtin_shufflevector(x, y, 2, 10, 3, 11, 6, 14, 7, 15);
    const Lanes yzLow = __builtin_shufflevector(y, z, 0, 8, 1, 9, 4, 12, 5, 13);
    // Per half: x0 y0 z0 x1, y1 z1 x2 y2, z2 x3 y3 z3.
    const Lanes first = __builtin_shufflevector(xyLow, z, 0, 1, 8, 2, 4, 5, 12, 6);
    const Lanes second = __builtin_shufflevector(yzLow, xyHigh, 2, 3, 8, 9, 6, 7, 12, 13);
    const Lanes third = __builtin_shufflevector(z, xyHigh, 2, 10, 11, 3, 6, 14, 15, 7);
    Store(to, __builtin_shufflevector(first, second, 0, 1, 2, 3, 8, 9, 10, 11));
    Store(to + 8, __builtin_shufflevector(third, first, 0, 1, 2, 3, 12, 13, 14, 15));
    Store(to + 16, __builtin_shufflevector(second, third, 4, 5, 6, 7, 12, 13, 14, 15));
}

// Scales (x, y, z) to unit length, lane by lane (the compiler makes one vector square root
// and one division of the loop).
inline void Normalise(Lanes& x, Lanes& y, Lanes& z)
{
    const Lanes squared = x * x + y * y + z * z + kSmallestSquare;
    Lanes inverse;
    for (std::size_t k = 0; k < kLanes; ++k)
        inverse[k] = 1.0f / std::sqrt(squared[k]);
    x *= inverse;
    y *= inverse;
    z *= inverse;
}

// Writes the eight slots from `s` on: point, normal and, where wanted, outline point.
inline void Emit(const SkinSources& from, const SkinTargets& to, std::size_t s, const Lanes& x,
                 const Lanes& y, const Lanes& z, const Lanes& u, const Lanes& v, const Lanes& w)
{
    StorePoints(to.positions + 3 * s, x, y, z);
    StorePoints(to.normals + 3 * s, u, v, w);
    if (to.edges) {
        Lanes push;
        Load(push, from.edgeWidth + s);
        StorePoints(to.edges + 3 * s, x + u * push, y + v * push, z + w * push);
    }
}

// ThreadSanitizer instruments the function that picks the version, which the loader runs
// before the sanitizer has started, and the program crashes; such builds take the base one.
#if defined(__SANITIZE_THREAD__)
#define ZELVANE_SKIN_VERSIONS
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZELVANE_SKIN_VERSIONS
#endif
#endif
#ifndef ZELVANE_SKIN_VERSIONS
#define ZELVANE_SKIN_VERSIONS [[gnu::target_clones("arch=x86-64-v3", "default")]]
#endif

} // namespace

ZELVANE_SKIN_VERSIONS void SkinMatrixRuns(const MatrixRun* runs, std::size_t count,
                                          const SkinSources& from, const SkinTargets& to)
{
    for (std::size_t r = 0; r < count; ++r) {
        const MatrixRun& run = runs[r];
        const auto& m = run.matrix;
        const float m00 = m[0][0], m01 = m[0][1], m02 = m[0][2];
        const float m10 = m[1][0], m11 = m[1][1], m12 = m[1][2];
        const float m20 = m[2][0], m21 = m[2][1], m22 = m[2][2];
        const float m30 = m[3][0], m31 = m[3][1], m32 = m[3][2];
        const std::size_t end = run.firstSlot + run.slotCount;
        for (std::size_t s = run.firstSlot; s < end; s += kLanes) {
            Lanes px, py, pz, nx, ny, nz;
            Load(px, from.position[0] + s);
            Load(py, from.position[1] + s);
            Load(pz, from.position[2] + s);
            Load(nx, from.normal[0] + s);
            Load(ny, from.normal[1] + s);
            Load(nz, from.normal[2] + s);
            const Lanes x = px * m00 + py * m10 + pz * m20 + m30;
            const Lanes y = px * m01 + py * m11 + pz * m21 + m31;
            const Lanes z = px * m02 + py * m12 + pz * m22 + m32;
            // A normal only turns: the rotation rows alone.
            Lanes u = nx * m00 + ny * m10 + nz * m20;
            Lanes v = nx * m01 + ny * m11 + nz * m21;
            Lanes w = nx * m02 + ny * m12 + nz * m22;
            if (!run.rigid)
                Normalise(u, v, w);
            Emit(from, to, s, x, y, z, u, v, w);
        }
    }
}

ZELVANE_SKIN_VERSIONS void SkinSphericalRuns(const SphericalRun* runs, std::size_t count,
                                             const SkinSources& from, const SkinTargets& to)
{
    for (std::size_t i = 0; i < count; ++i) {
        const SphericalRun& run = runs[i];
        const auto& r = run.r;
        const auto& a = run.a;
        const auto& b = run.b;
        const std::size_t end = run.firstSlot + run.slotCount;
        for (std::size_t s = run.firstSlot; s < end; s += kLanes) {
            Lanes dx, dy, dz, ax, ay, az, bx, by, bz, nx, ny, nz;
            Load(dx, from.position[0] + s);
            Load(dy, from.position[1] + s);
            Load(dz, from.position[2] + s);
            Load(ax, from.point0[0] + s);
            Load(ay, from.point0[1] + s);
            Load(az, from.point0[2] + s);
            Load(bx, from.point1[0] + s);
            Load(by, from.point1[1] + s);
            Load(bz, from.point1[2] + s);
            Load(nx, from.normal[0] + s);
            Load(ny, from.normal[1] + s);
            Load(nz, from.normal[2] + s);
            Lanes p[3];
            for (int c = 0; c < 3; ++c) {
                p[c] = dx * r[0][c] + dy * r[1][c] + dz * r[2][c] + ax * a[0][c] + ay * a[1][c]
                    + az * a[2][c] + bx * b[0][c] + by * b[1][c] + bz * b[2][c] + run.t[c];
            }
            // R is made from a unit quaternion: a rotation, which keeps the normal's length.
            const Lanes u = nx * r[0][0] + ny * r[1][0] + nz * r[2][0];
            const Lanes v = nx * r[0][1] + ny * r[1][1] + nz * r[2][1];
            const Lanes w = nx * r[0][2] + ny * r[1][2] + nz * r[2][2];
            Emit(from, to, s, p[0], p[1], p[2], u, v, w);
        }
    }
}

} // namespace zelvane
