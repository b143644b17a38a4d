#include "cli/CliHost.h"

#include "text/FileIo.h"
#include "text/StringTable.h"

#include <iostream>

namespace zelvane::cli {

MissingFileAnswer CliHost::AnswerMissingFile(const MissingFileRequest& request)
{
    // The request's message is the desktop program's, in its language, when the file is not
    // there; a file that is there and still could not be used was refused by its decoder,
    // whose own words say why.
    const char* kind = request.filterId == IDS_FILTER_AUDIO ? "song"
        : request.filterId == IDS_FILTER_MODEL              ? "model"
                                                            : "file";
    std::cerr << "zelvane-cli: warning: ";
    if (IsReadablePlainFile(request.path))
        std::cerr << "cannot use the " << kind << " \"" << request.path
                  << "\": " << request.message;
    else
        std::cerr << "the " << kind << " \"" << request.path
                  << "\" is missing or not a readable file";
    std::cerr << "; going on without it\n";
    return {MissingFileAnswer::Action::Keep, ""};
}

} // namespace zelvane::cli
