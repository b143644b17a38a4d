#pragma once

#include "chart/StepDocument.h"
#include "dwi/DwiDiagnostics.h"
#include "dwi/DwiImport.h"

#include <QString>

#include <filesystem>
#include <functional>

namespace zelvane {

// ImportDwi with the list of what the reader could not take worded in the language the
// program speaks.
DwiImportResult ImportDwiFile(CStepDocument& document, const std::filesystem::path& path,
                              const std::function<bool()>& confirmReplace);

// The list: "Line N: ..." per entry, CR LF between, the count of those left off last; the tags
// without bearing on the dance are left out, as the core's Japanese list leaves them.
QString DwiDiagnosticsText(const DwiDiagnostics& diagnostics);

} // namespace zelvane
