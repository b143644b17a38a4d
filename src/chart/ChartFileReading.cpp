#include "chart/ChartFileReading.h"

#include "chart/StepDocument.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <system_error>

namespace zelvane {

std::optional<std::string> ReadChartFileForImport(const std::filesystem::path& path,
                                                  std::vector<std::uint8_t>& bytes)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return FormatString(IDS_FILE_NOT_FOUND, {path.filename().string()});
    try {
        bytes = ReadWholeFile(path, kMaxChartFileBytes);
    } catch (const FileIoError& failure) {
        if (!std::filesystem::exists(path, error))
            return FormatString(IDS_FILE_NOT_FOUND, {path.filename().string()});
        const Reason* reason = failure.reason();
        return reason ? JapaneseText(*reason) : std::string(LoadString(IDS_ERROR_FILE_ACCESS));
    }
    return std::nullopt;
}

bool HasAnyNotes(const CStepDocument& document)
{
    return std::ranges::any_of(document.scores(),
                               [](const auto& score) { return !score->notes().empty(); });
}

} // namespace zelvane
