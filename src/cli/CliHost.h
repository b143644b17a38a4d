#pragma once

#include "chart/DocumentHost.h"

namespace zelvane::cli {

// Nobody is there to browse for a missing song or model: keep its path, say so once on
// standard error, in English, and go on without it.
class CliHost : public IDocumentHost {
public:
    MissingFileAnswer AnswerMissingFile(const MissingFileRequest& request) override;
};

} // namespace zelvane::cli
