#include "dwi/DwiImport.h"

#include "dwi/DwiReader.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <system_error>

namespace zelvane {

DwiImportResult ImportDwiBytes(CStepDocument& document, const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes)
{
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
