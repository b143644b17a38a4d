#include "cli/OutputPath.h"

#include "cli/DocumentLoading.h"
#include "text/Errors.h"

#include <algorithm>
#include <system_error>

namespace zelvane::cli {

CLI::Validator OutputExtension(std::vector<std::string> extensions)
{
    // ".a", ".a or .b", ".a, .b or .c"
    std::string names;
    for (std::size_t i = 0; i < extensions.size(); ++i)
        names += (i == 0 ? "" : i + 1 == extensions.size() ? " or " : ", ") + extensions[i];
    return CLI::Validator(
        [extensions, names](std::string& value) -> std::string {
            if (std::find(extensions.begin(), extensions.end(), LowerExtension(value))
                != extensions.end())
                return {};
            return "\"" + value + "\" is not a " + names + " file";
        },
        names, "OUTPUT" + names);
}

void RequireOutputApartFromInputs(const std::filesystem::path& output,
                                  const std::vector<std::filesystem::path>& inputs)
{
    for (const std::filesystem::path& input : inputs) {
        // Only two files that both exist can be one; a failed check is no match.
        std::error_code error;
        if (input.empty() || !std::filesystem::equivalent(output, input, error) || error)
            continue;
        throw InvalidArgumentError("will not write \"" + output.string() + "\": it is the input \""
                                   + input.string() + "\", which would be lost");
    }
}

} // namespace zelvane::cli
