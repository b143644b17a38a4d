#pragma once

#include "chart/DocumentHost.h"

#include <iostream>

namespace zelvane::cli {

// Nobody is there to browse for a missing song or model: keep its path, say so once on
// standard error and go on without it.
class CliHost : public IDocumentHost {
public:
    MissingFileAnswer AnswerMissingFile(const MissingFileRequest& request) override
    {
        std::cerr << "zelvane-cli: warning: " << request.message << " (" << request.path
                  << "); going on without it\n";
        return {MissingFileAnswer::Action::Keep, ""};
    }
};

} // namespace zelvane::cli
