#include "app/StepManiaImport.h"

#include "chart/ChartFileReading.h"
#include "qtcommon/QtText.h"
#include "stepmania/SmImport.h"
#include "text/StringTable.h"

#include <vector>

namespace zelvane {

DwiImportResult ImportStepMania(CStepDocument& document, const std::filesystem::path& path,
                                const std::function<bool()>& confirmReplace)
{
    std::vector<std::uint8_t> bytes;
    if (std::optional<std::string> failure = ReadChartFileForImport(path, bytes))
        return {false, std::move(*failure)};

    // Refused before anyone is asked to give up the charts there are.
    CSmImport import(document, path, bytes);
    if (HasAnyNotes(document) && confirmReplace && !confirmReplace())
        return {};
    import.Apply();
    return {true, FormatSmWarnings(import.warnings())};
}

std::string FormatSmWarnings(const SmWarnings& warnings)
{
    std::string text;
    for (const Reason& reason : warnings.listed) {
        if (!text.empty())
            text += "\r\n";
        text += ToStdString(ReasonText(reason));
    }
    if (warnings.unlisted > 0) {
        if (!text.empty())
            text += "\r\n";
        text += ToStdString(
            FormatQString(IDS_CHART_WARNINGS_MORE, {std::to_string(warnings.unlisted)}));
    }
    return text;
}

} // namespace zelvane
