#pragma once

#include <cstddef>
#include <cstdint>

namespace zelvane {

// The vector loops of the skinning: runs of slots that go through one blend, eight slots at
// a time (four for the last four or fewer), written straight into the drawn mesh as points.
// The last lanes of a run may reach past it: the runs must be given in slot order, each kind
// after the kind before it, and every array must hold eight slots more than the runs use.
// Built twice, for the common x86-64 base and for processors with AVX2 and FMA; the loader
// picks the one the processor runs.

// Where the lanes read from, per slot, one array per coordinate.
struct SkinSources {
    const float* position[3]; // a spherical vertex: its offset from its centre
    const float* normal[3];   // of unit length
    const float* edgeWidth;   // how far the outline pushes the vertex out; 0 for none
    const float* point0[3];   // spherical vertices: the points the two bones carry
    const float* point1[3];
};

// Where they go: x, y, z triples indexed by slot; `edges` null when no outline is made.
struct SkinTargets {
    float* positions;
    float* normals;
    float* edges;
};

// Slots that one matrix (rotation rows, then translation; 4 × 4 with the last column unused)
// takes. A rigid one is a rotation,
// which keeps a unit normal's length, so its normals are not rescaled.
struct MatrixRun {
    std::uint32_t firstSlot;
    std::uint32_t slotCount;
    bool rigid;
    const float (*matrix)[4];
};

// Slots of a spherical blend: position = d · R + P0 · A + P1 · B + t, for d the offset from
// the centre, R the blended rotation, A and B the two bones' rotations scaled by their
// weights and t the weighted sum of their translations; the normal turns by R.
struct SphericalRun {
    std::uint32_t firstSlot;
    std::uint32_t slotCount;
    float r[3][3];
    float a[3][3];
    float b[3][3];
    float t[3];
};

void SkinMatrixRuns(const MatrixRun* runs, std::size_t count, const SkinSources& from,
                    const SkinTargets& to);
void SkinSphericalRuns(const SphericalRun* runs, std::size_t count, const SkinSources& from,
                       const SkinTargets& to);

} // namespace zelvane
