#pragma once

#include <vector>

namespace zelvane {

class CModelDocument;

// The four measurements the dance generator takes from a model: the size of a dance panel
// in the model's units and where the feet stand at rest.
struct ModelMeasurements {
    // The 左足 joint height of the model the dance was tuned on; a model of that size dances
    // on panels of 12 units.
    static constexpr float kReferenceLegHeight = 10.75273f;
    static constexpr float kDefaultPanelSize = 12.0f;
    static constexpr float kDefaultLeftFootRestX = 0.875424f;
    static constexpr float kDefaultRightFootRestX = -0.875424f;
    static constexpr float kDefaultToeReach = 2.463567f;

    float panelSize = kDefaultPanelSize;
    float leftFootRestX = kDefaultLeftFootRestX;
    float rightFootRestX = kDefaultRightFootRestX;
    float toeReach = kDefaultToeReach;
};

// Measures a model; each value the model cannot give (its bone is missing, or there is no
// model) keeps its default.
ModelMeasurements MeasureModel(const CModelDocument* model);

// The name IDs of the standard bones the dance keys or measures (センター, 左足, 上半身,
// 左足ＩＫ, 右足ＩＫ, 首, 左つま先ＩＫ) that the model lacks, in that order. The dance
// moves the bones a model has: what it lacks keeps still, and its measurements keep their
// defaults.
std::vector<int> MissingDanceBones(const CModelDocument& model);

} // namespace zelvane
