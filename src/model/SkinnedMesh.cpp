#include "model/SkinnedMesh.h"

#include <utility>

namespace zelvane {

void CSkinnedMesh::Shape(std::size_t slotCount, std::vector<std::uint32_t> slotOfVertex,
                         std::vector<Vector2> uvs)
{
    m_slotCount = slotCount;
    m_blockSize = slotCount + kSpareSlots;
    m_slotOfVertex = std::move(slotOfVertex);
    m_uvs = std::move(uvs);
    m_uvs.resize(m_blockSize);
    m_stream.assign(3 * m_blockSize, Vector3{});
}

SkinnedVertex CSkinnedMesh::operator[](std::size_t vertex) const
{
    const std::uint32_t slot = m_slotOfVertex[vertex];
    return {positions()[slot], normals()[slot], m_uvs[slot]};
}

std::vector<std::uint32_t>
CSkinnedMesh::SlotIndices(const std::vector<std::uint32_t>& indices) const
{
    // An index past the vertex list (the reader refuses such files) stays past every slot.
    std::vector<std::uint32_t> slots;
    slots.reserve(indices.size());
    for (const std::uint32_t index : indices)
        slots.push_back(index < m_slotOfVertex.size() ? m_slotOfVertex[index]
                                                      : static_cast<std::uint32_t>(m_slotCount));
    return slots;
}

} // namespace zelvane
