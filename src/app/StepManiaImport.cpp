#include "app/StepManiaImport.h"

#include "stepmania/SmImport.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace zelvane {

DwiImportResult ImportStepMania(CStepDocument& document, const std::filesystem::path& path,
                                const std::function<bool()>& confirmReplace)
{
    // The file is read whole before anything is replaced, so a file that cannot be read
    // leaves the user's charts as they were; its failures are said as the DWI import says
    // them.
    std::vector<std::uint8_t> bytes;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return {false, FormatString(IDS_FILE_NOT_FOUND, {path.filename().string()})};
    try {
        bytes = ReadWholeFile(path, kMaxChartFileBytes);
    } catch (const FileIoError& failure) {
        if (!std::filesystem::exists(path, error))
            return {false, FormatString(IDS_FILE_NOT_FOUND, {path.filename().string()})};
        const Reason* reason = failure.reason();
        return {false,
                reason ? JapaneseText(*reason) : std::string(LoadString(IDS_ERROR_FILE_ACCESS))};
    }

    // Refused before anyone is asked to give up the charts there are.
    CSmImport import(document, path, bytes);
    const bool hasNotes = std::ranges::any_of(
        document.scores(), [](const auto& score) { return !score->notes().empty(); });
    if (hasNotes && confirmReplace && !confirmReplace())
        return {};
    import.Apply();
    return {true, FormatSmWarningsJapanese(import.warnings())};
}

std::string FormatSmWarningsJapanese(const SmWarnings& warnings)
{
    std::string text;
    for (const Reason& reason : warnings.listed) {
        if (!text.empty())
            text += "\r\n";
        text += JapaneseText(reason);
    }
    if (warnings.unlisted > 0) {
        if (!text.empty())
            text += "\r\n";
        text += FormatString(IDS_CHART_WARNINGS_MORE, {std::to_string(warnings.unlisted)});
    }
    return text;
}

} // namespace zelvane
