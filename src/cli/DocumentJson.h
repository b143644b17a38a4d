#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace zelvane {
class CStepDocument;
}

namespace zelvane::cli {

// The document as `info --json` prints it; `errors` are the reader's problems, one a line.
nlohmann::json DocumentToJson(const CStepDocument& document,
                              const std::vector<std::string>& errors);
std::string DocumentSummary(const CStepDocument& document, const std::vector<std::string>& errors);

} // namespace zelvane::cli
