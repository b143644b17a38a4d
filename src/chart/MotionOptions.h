#pragma once

#include "model/ModelMeasurements.h"

namespace zelvane {

// How the dance generator moves the dancers. Twist and turn are saved with the document; the
// panel size is not, and a model sets it to its own when it is attached.
struct MotionOptions {
    float panelSize = ModelMeasurements::kDefaultPanelSize;
    bool twist = true;
    bool turnEnabled = false;
};

} // namespace zelvane
