#include "dwi/DwiImport.h"

#include "base/ChartLimits.h"
#include "dwi/DwiReader.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace zelvane {

namespace {

// The tempo may come after the charts, and the import replaces every score: so the file is
// read into a scratch document that starts from the document's song settings, checked
// against the chart limits, and only then moved into the user's document.
void CheckChartLimits(const CStepDocument& scratch, const std::filesystem::path& path)
{
    const std::int32_t maxClock = MaxChartClock(scratch.bpm());
    for (const auto& score : scratch.scores()) {
        const auto refuse = [&](const std::string& breach) {
            throw FileFormatError("\"" + path.filename().string() + "\": in the "
                                  + std::string(StyleName(score->style())) + " "
                                  + score->difficulty() + " chart, " + breach);
        };
        if (std::string breach = ChartNoteCountBreach(score->notes().size()); !breach.empty())
            refuse(breach);
        for (const auto& note : score->notes()) {
            const std::string breach = ChartLimitBreach(*note, scratch.bpm(), maxClock);
            if (!breach.empty())
                refuse(breach);
        }
    }
}

// Song settings as the file left them, and every chart, its notes in the order read.
void TakeOver(CStepDocument& document, CStepDocument& scratch)
{
    document.SetTitle(scratch.title());
    document.SetArtist(scratch.artist());
    document.SetBpm(scratch.bpm());
    document.SetGap(scratch.gap());
    for (const auto& read : scratch.scores())
        document.FindOrCreateScore(read->style(), read->difficulty())
            ->AppendNotes(read->TakeAllNotes());
}

} // namespace

DwiDiagnostics ImportDwiBytes(CStepDocument& document, const std::filesystem::path& path,
                              std::span<const std::uint8_t> bytes)
{
    CStepDocument scratch;
    scratch.SetTitle(document.title());
    scratch.SetArtist(document.artist());
    scratch.SetBpm(document.bpm());
    scratch.SetGap(document.gap());
    scratch.FindOrCreateScore(Style::SINGLE, "BASIC");

    DwiDiagnostics diagnostics;
    std::optional<std::string> audioPath;
    {
        WaitGuard wait(document.host());
        CDwiReader reader(scratch, path, bytes);
        diagnostics = reader.Read();
        audioPath = reader.audioPath();
    }
    CheckChartLimits(scratch, path);

    // Commands in the history refer to the scores that are about to go.
    document.ClearHistory();
    document.DeleteAllScores();
    TakeOver(document, scratch);
    document.SetCurrentScore(document.scores().front().get());
    if (audioPath)
        document.SetAudio(*audioPath);

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
    return diagnostics;
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
        bytes = ReadWholeFile(path, kMaxChartFileBytes);
    } catch (const FileIoError& failure) {
        if (!std::filesystem::exists(path, error))
            return {false, FormatString(IDS_FILE_NOT_FOUND, {path.filename().string()})};
        return {false, failure.what()};
    }

    const bool hasNotes = std::any_of(m_scores.begin(), m_scores.end(),
                                      [](const auto& score) { return !score->notes().empty(); });
    if (hasNotes && confirmReplace && !confirmReplace())
        return {};
    // The desktop program shows the list in its own words.
    return {true, FormatDwiDiagnosticsJapanese(ImportDwiBytes(*this, path, bytes))};
}

} // namespace zelvane
