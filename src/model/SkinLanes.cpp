#include "model/SkinLanes.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace zelvane {

namespace {

// Eight floats, which GCC keeps in one AVX register (two SSE ones in the base build). Lane
// values pass by reference: the base build has no AVX registers to pass them in. A run's
// last few slots, four or fewer, go through four lanes instead: a model's many small runs
// would otherwise spend much of their time on lanes past their end.
using Lanes = float __attribute__((vector_size(32)));
using HalfLanes = float __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes) / sizeof(float);
constexpr std::size_t kHalfLanes = sizeof(HalfLanes) / sizeof(float);

// A normal of no length stays zero rather than becoming NaN: the smallest normal float
// keeps the factor finite, and it changes no square above 1e-30.
constexpr float kSmallestSquare = std::numeric_limits<float>::min();

template<typename L> inline void Load(L& lanes, const float* from)
{
    std::memcpy(&lanes, from, sizeof lanes);
}

// The x, y and z lanes of the slots from `s` on, from a source's three columns.
template<typename L>
inline void LoadColumns(L& x, L& y, L& z, const float* const (&columns)[3], std::size_t s)
{
    Load(x, columns[0] + s);
    Load(y, columns[1] + s);
    Load(z, columns[2] + s);
}

template<typename L> inline void Store(float* to, const L& lanes)
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

// The same for four points: x0 y0 z0 x1, y1 z1 x2 y2, z2 x3 y3 z3.
inline void StorePoints(float* to, const HalfLanes& x, const HalfLanes& y, const HalfLanes& z)
{
    const HalfLanes xyLow = __builtin_shufflevector(x, y, 0, 4, 1, 5);
    const HalfLanes xyHigh = __builtin_shufflevector(x, y, 2, 6, 3, 7);
    const HalfLanes yzLow = __builtin_shufflevector(y, z, 0, 4, 1, 5);
    Store(to, __builtin_shufflevector(xyLow, z, 0, 1, 4, 2));
    Store(to + 4, __builtin_shufflevector(yzLow, xyHigh, 2, 3, 4, 5));
    Store(to + 8, __builtin_shufflevector(z, xyHigh, 2, 6, 7, 3));
}

// Scales (x, y, z) to unit length, lane by lane (the compiler makes one vector square root
// and one division of the loop).
template<typename L> inline void Normalise(L& x, L& y, L& z)
{
    const L squared = x * x + y * y + z * z + kSmallestSquare;
    L inverse;
    for (std::size_t k = 0; k < sizeof(L) / sizeof(float); ++k)
        inverse[k] = 1.0f / std::sqrt(squared[k]);
    x *= inverse;
    y *= inverse;
    z *= inverse;
}

// Writes the slots from `s` on, one per lane: point, normal and, where wanted, outline
// point.
template<typename L>
inline void Emit(const SkinSources& from, const SkinTargets& to, std::size_t s, const L& x,
                 const L& y, const L& z, const L& u, const L& v, const L& w)
{
    StorePoints(to.positions + 3 * s, x, y, z);
    StorePoints(to.normals + 3 * s, u, v, w);
    if (to.edges) {
        L push;
        Load(push, from.edgeWidth + s);
        StorePoints(to.edges + 3 * s, x + u * push, y + v * push, z + w * push);
    }
}

// The rotation rows and translation of a matrix run, one float each.
struct RunMatrix {
    float m00, m01, m02;
    float m10, m11, m12;
    float m20, m21, m22;
    float m30, m31, m32;
};

// The slots from `s` on through one matrix, one per lane. Always inline: a copy of its own
// would be built for the x86-64 base alone, and the AVX2 version would call that.
template<typename L>
[[gnu::always_inline]] inline void SkinThroughMatrix(const RunMatrix& m, bool rigid,
                                                     const SkinSources& from, const SkinTargets& to,
                                                     std::size_t s)
{
    L px, py, pz, nx, ny, nz;
    LoadColumns(px, py, pz, from.position, s);
    LoadColumns(nx, ny, nz, from.normal, s);
    const L x = px * m.m00 + py * m.m10 + pz * m.m20 + m.m30;
    const L y = px * m.m01 + py * m.m11 + pz * m.m21 + m.m31;
    const L z = px * m.m02 + py * m.m12 + pz * m.m22 + m.m32;
    // A normal only turns: the rotation rows alone.
    L u = nx * m.m00 + ny * m.m10 + nz * m.m20;
    L v = nx * m.m01 + ny * m.m11 + nz * m.m21;
    L w = nx * m.m02 + ny * m.m12 + nz * m.m22;
    if (!rigid)
        Normalise(u, v, w);
    Emit(from, to, s, x, y, z, u, v, w);
}

// The slots from `s` on of a spherical run, one per lane.
template<typename L>
[[gnu::always_inline]] inline void SkinSpherically(const SphericalRun& run, const SkinSources& from,
                                                   const SkinTargets& to, std::size_t s)
{
    const auto& r = run.r;
    const auto& a = run.a;
    const auto& b = run.b;
    L dx, dy, dz, ax, ay, az, bx, by, bz, nx, ny, nz;
    LoadColumns(dx, dy, dz, from.position, s);
    LoadColumns(ax, ay, az, from.point0, s);
    LoadColumns(bx, by, bz, from.point1, s);
    LoadColumns(nx, ny, nz, from.normal, s);
    L p[3];
    for (int c = 0; c < 3; ++c) {
        p[c] = dx * r[0][c] + dy * r[1][c] + dz * r[2][c] + ax * a[0][c] + ay * a[1][c]
            + az * a[2][c] + bx * b[0][c] + by * b[1][c] + bz * b[2][c] + run.t[c];
    }
    // R is made from a unit quaternion: a rotation, which keeps the normal's length.
    const L u = nx * r[0][0] + ny * r[1][0] + nz * r[2][0];
    const L v = nx * r[0][1] + ny * r[1][1] + nz * r[2][1];
    const L w = nx * r[0][2] + ny * r[1][2] + nz * r[2][2];
    Emit(from, to, s, p[0], p[1], p[2], u, v, w);
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
        const RunMatrix matrix{m[0][0], m[0][1], m[0][2], m[1][0], m[1][1], m[1][2],
                               m[2][0], m[2][1], m[2][2], m[3][0], m[3][1], m[3][2]};
        const std::size_t end = run.firstSlot + run.slotCount;
        std::size_t s = run.firstSlot;
        for (; s + kHalfLanes < end; s += kLanes)
            SkinThroughMatrix<Lanes>(matrix, run.rigid, from, to, s);
        if (s < end)
            SkinThroughMatrix<HalfLanes>(matrix, run.rigid, from, to, s);
    }
}

ZELVANE_SKIN_VERSIONS void SkinSphericalRuns(const SphericalRun* runs, std::size_t count,
                                             const SkinSources& from, const SkinTargets& to)
{
    for (std::size_t i = 0; i < count; ++i) {
        const SphericalRun& run = runs[i];
        const std::size_t end = run.firstSlot + run.slotCount;
        std::size_t s = run.firstSlot;
        for (; s + kHalfLanes < end; s += kLanes)
            SkinSpherically<Lanes>(run, from, to, s);
        if (s < end)
            SkinSpherically<HalfLanes>(run, from, to, s);
    }
}

} // namespace zelvane
