#include "model/ModelMeasurements.h"

#include "model/ModelDocument.h"
#include "text/StringTable.h"

namespace zelvane {

ModelMeasurements MeasureModel(const CModelDocument* model)
{
    ModelMeasurements parameters;
    if (!model)
        return parameters;
    if (const CModelBone* leg = model->FindBone(IDS_BONE_LEFT_LEG))
        parameters.panelSize = ModelMeasurements::kDefaultPanelSize * leg->position.y
            / ModelMeasurements::kReferenceLegHeight;
    if (const CModelBone* leftFoot = model->FindBone(IDS_BONE_LEFT_FOOT_IK))
        parameters.leftFootRestX = leftFoot->position.x;
    if (const CModelBone* rightFoot = model->FindBone(IDS_BONE_RIGHT_FOOT_IK))
        parameters.rightFootRestX = rightFoot->position.x;
    if (const CModelBone* toe = model->FindBone(IDS_BONE_LEFT_TOE_IK))
        parameters.toeReach = -toe->position.z;
    return parameters;
}

std::vector<int> MissingDanceBones(const CModelDocument& model)
{
    static constexpr int kDanceBones[] = {
        IDS_BONE_CENTER,        IDS_BONE_LEFT_LEG, IDS_BONE_UPPER_BODY,  IDS_BONE_LEFT_FOOT_IK,
        IDS_BONE_RIGHT_FOOT_IK, IDS_BONE_NECK,     IDS_BONE_LEFT_TOE_IK,
    };
    std::vector<int> missing;
    for (int id : kDanceBones) {
        if (!model.FindBone(id))
            missing.push_back(id);
    }
    return missing;
}

} // namespace zelvane
