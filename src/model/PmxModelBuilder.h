#pragma once

#include "model/ModelDocument.h"
#include "model/PmxFile.h"

#include <memory>
#include <string>

namespace zelvane {

// The model a PMX file describes. Texture names become paths in `modelFolder` (which ends
// with a separator or is empty) with '/' for the file's '\'. Throws InvalidArgumentError for
// a model of more bones than IK chains can link. The records are used up: what the model
// keeps as it is, is moved into it, and each list is let go once it is built from, so the
// two forms of a large list are never held whole at once.
std::unique_ptr<CModelDocument> ModelFromPmx(PmxFile&& file, const std::string& modelFolder);

// A texture name of a PMX file as a path in `modelFolder`; "" for -1.
std::string PmxTexturePath(const PmxFile& file, int texture, const std::string& modelFolder);

} // namespace zelvane
