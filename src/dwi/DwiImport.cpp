#include "dwi/DwiImport.h"

#include "chart/ChartLimits.h"
#include "dwi/DwiReader.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <system_error>

namespace zelvane {

namespace {

// The tempo may come after the charts, and an import replaces the scores before it reads:
// the file is read once into a scratch document (no song is measured, nobody is asked) and
// checked against the chart limits before the user's document is touched.
void CheckChartLimits(const CStepDocument& document, const std::filesystem::path& path,
                      std::span<const std::uint8_t> bytes)
{
    CStepDocument scratch;
    scratch.SetBpm(document.bpm());
    CDwiReader(scratch, path, bytes).Read();
    for (const auto& score : scratch.scores()) {
        std::vector<CNote> notes;
        notes.reserve(score->notes().size());
        for (const auto& note : score->notes())
            notes.push_back(*note);
        const std::string breach = ChartLimitBreach(notes, scratch.bpm());
        if (!breach.empty())
            throw FileFormatError("\"" + path.filename().string() + "\": in the "
                                  + std::string(StyleName(score->style())) + " "
                                  + score->difficulty() + " chart, " + breach);
    }
}

} // namespace

DwiImportResult ImportDwiBytes(CStepDocument& document, const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes)
{
    CheckChartLimits(document, path, bytes);
    // Commands in the history refer to the scores that are about to go.
    document.ClearHistory();
    document.DeleteAllScores();
    document.FindOrCreateScore(Style::SINGLE, "BASIC");
    document.SetCurrentScore(document.scores().front().get());

    DwiImportResult result;
    {
        WaitGuard wait(document.host());
        result.errors = CDwiReader(document, path, bytes).Read();
    }

    // Charts that placed nothing are not kept, but the document always keeps one score.
    for (std::size_t i = 0; i < document.scores().size() && document.scores().size() > 1;) {
        CScore* score = document.scores()[i].get();
        if (score->notes().empty())
            document.DeleteScore(score);
        else
            ++i;
    }
    CScore* first = document.scores().front().get();
    document.SetCurrentScore(first);
    document.UpdateAllViews(nullptr, UpdateHint::CurrentScore, first);
    document.SetModifiedFlag(true);
    document.UpdateAllScores();
    result.imported = true;
    return result;
}

DwiImportResult CStepDocument::ImportDwi(const std::filesystem::path& path,
                                         const std::function<bool()>& confirmReplace)
{
    // The file is read whole before anything is replaced, so a file that cannot be read
    // leaves the user's charts as they were.
    std::vector<std::uint8_t> bytes;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return {false, FormatString(IDS_FILE_NOT_FOUND, {path.filename().string()})};
    try {
        bytes = ReadWholeFile(path);
    } catch (const FileIoError& failure) {
        if (!std::filesystem::exists(path, error))
            return {false, FormatString(IDS_FILE_NOT_FOUND, {path.filename().string()})};
        return {false, failure.what()};
    }

    const bool hasNotes = std::any_of(m_scores.begin(), m_scores.end(),
                                      [](const auto& score) { return !score->notes().empty(); });
    if (hasNotes && confirmReplace && !confirmReplace())
        return {};
    return ImportDwiBytes(*this, path, bytes);
}

} // namespace zelvane
