#pragma once

#include "model/SkinnedVertex.h"
#include "model/Vector.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane {

// The posed mesh as the skinner leaves it and the 3D view draws it. It is kept in the
// skinner's slot order (vertices that follow the same bones side by side), so that the
// skinner writes it in one pass and the view uploads it as it is, drawing through indices
// renumbered to slots once. The stream holds three blocks of blockSize() points: every
// slot's position, its normal and its outline position, each block with room after its
// slots for the vector lanes that reach past the last one. The texture coordinates, which
// posing never changes, are apart.
class CSkinnedMesh {
public:
    // Lays the mesh out for `slotCount` slots; `slotOfVertex` leads from each model vertex to
    // its slot, `uvs` holds each slot's texture coordinates.
    void Shape(std::size_t slotCount, std::vector<std::uint32_t> slotOfVertex,
               std::vector<Vector2> uvs);

    // The model's vertices.
    std::size_t size() const { return m_slotOfVertex.size(); }
    bool empty() const { return m_slotOfVertex.empty(); }
    // Model vertex `vertex` as posed: position, normal and texture coordinates.
    SkinnedVertex operator[](std::size_t vertex) const;
    // Where the outline puts model vertex `vertex` (kept only while outlines are made).
    Vector3 Edge(std::size_t vertex) const { return edges()[m_slotOfVertex[vertex]]; }

    std::size_t slotCount() const { return m_slotCount; }
    std::size_t blockSize() const { return m_blockSize; }
    std::uint32_t SlotOf(std::size_t vertex) const { return m_slotOfVertex[vertex]; }
    // Model vertex indices renumbered to slots: the faces as the stream draws them.
    std::vector<std::uint32_t> SlotIndices(const std::vector<std::uint32_t>& indices) const;
    // A list of one entry per model vertex moved to the vertices' slots, for a buffer drawn
    // beside the stream: blockSize() entries, `fill` where no vertex is (and for vertices the
    // list is too short for).
    template<typename T>
    std::vector<T> InSlots(const std::vector<T>& perVertex, const T& fill) const
    {
        std::vector<T> placed(m_blockSize, fill);
        const std::size_t count = std::min(perVertex.size(), m_slotOfVertex.size());
        for (std::size_t vertex = 0; vertex < count; ++vertex)
            placed[m_slotOfVertex[vertex]] = perVertex[vertex];
        return placed;
    }

    // Positions, then normals, then outline positions: blockSize() points each.
    const std::vector<Vector3>& stream() const { return m_stream; }
    const std::vector<Vector2>& uvs() const { return m_uvs; }
    const Vector3* positions() const { return m_stream.data(); }
    const Vector3* normals() const { return m_stream.data() + m_blockSize; }
    const Vector3* edges() const { return m_stream.data() + 2 * m_blockSize; }
    Vector3* positions() { return m_stream.data(); }
    Vector3* normals() { return m_stream.data() + m_blockSize; }
    Vector3* edges() { return m_stream.data() + 2 * m_blockSize; }

    // The room each block keeps after its slots.
    static constexpr std::size_t kSpareSlots = 8;

private:
    std::size_t m_slotCount = 0;
    std::size_t m_blockSize = 0;
    std::vector<std::uint32_t> m_slotOfVertex;
    std::vector<Vector3> m_stream;
    std::vector<Vector2> m_uvs;
};

} // namespace zelvane
