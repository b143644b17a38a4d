#include "model/ModelDocument.h"

namespace zelvane {

const CModelBone* CModelDocument::FindBone(int nameID) const
{
    const int index = FindBoneIndex(nameID);
    return index < 0 ? nullptr : &bones[static_cast<std::size_t>(index)];
}

int CModelDocument::FindBoneIndex(int nameID) const
{
    for (std::size_t i = 0; i < bones.size(); ++i) {
        if (bones[i].nameID == nameID)
            return static_cast<int>(i);
    }
    return -1;
}

void CModelDocument::DeleteContents()
{
    name.clear();
    englishName.clear();
    comment.clear();
    englishComment.clear();
    format = Format::Pmd;
    vertices.clear();
    vertexWeights.clear();
    edgeScales.clear();
    subTextureUVs.clear();
    indices.clear();
    materials.clear();
    bones.clear();
    iks.clear();
    morphs.clear();
    boneGroups.clear();
    for (std::string& path : toonPaths)
        path.clear();
    rigidBodies.clear();
    joints.clear();
}

} // namespace zelvane
