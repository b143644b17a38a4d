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
        parameters.panelSize = 12.0f * leg->position.y / ModelMeasurements::kReferenceLegHeight;
    if (const CModelBone* leftFoot = model->FindBone(IDS_BONE_LEFT_FOOT_IK))
        parameters.leftFootRestX = leftFoot->position.x;
    if (const CModelBone* rightFoot = model->FindBone(IDS_BONE_RIGHT_FOOT_IK))
        parameters.rightFootRestX = rightFoot->position.x;
    if (const CModelBone* toe = model->FindBone(IDS_BONE_LEFT_TOE_IK))
        parameters.toeReach = -toe->position.z;
    return parameters;
}

} // namespace zelvane
