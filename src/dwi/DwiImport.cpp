#include "dwi/DwiImport.h"

#include "base/ChartLimits.h"
#include "chart/ChartFileReading.h"
#include "dwi/DwiReader.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <system_error>

namespace zelvane {

CDwiImport::CDwiImport(CStepDocument& document, std::filesystem::path path,
                       std::span<const std::uint8_t> bytes)
    : m_document(document)
    , m_path(std::move(path))
{
    // The tempo may come after the charts, and the import replaces every score: so the file
    // is read into a document of its own that starts from the document's song settings,
    // checked against the chart limits, and only then moved into the user's document.
    m_read.SetDescription(document.description());
    m_read.SetBpm(document.tempoMap().songBpm());
    m_read.scores().FindOrCreate(Style::SINGLE, "BASIC");
    {
        WaitGuard wait(*document.services().host);
        CDwiReader reader(m_read, m_path, bytes);
        m_diagnostics = reader.Read();
        m_audioPath = reader.audioPath();
        m_tempoMapRefusal = reader.tempoMapRefusal();
    }
    CheckChartLimits();
}

void CDwiImport::CheckChartLimits() const
{
    const std::string file = m_path.filename().string();
    // The song's tempo first, so a file whose tempo alone is too fast says so as it always
    // has, then the map its tempo changes and freezes would make.
    for (const Reason& breach : {ChartTempoBreach(m_read.tempoMap().songBpm()),
                                 ChartGapBreach(m_read.description().gap), m_tempoMapRefusal})
        if (!breach.empty())
            throw FileFormatError(Reason(IDS_REASON_IMPORT_REFUSED, {file, breach}));
    const CTempoMap& tempo = m_read.tempoMap();
    const std::int32_t maxClock = MaxChartClock(tempo);
    for (const auto& score : m_read.scores()) {
        const auto refuse = [&](const Reason& breach) {
            const Reason inChart(
                IDS_REASON_IN_CHART,
                {std::string(StyleName(score->style())), score->difficulty(), breach});
            throw FileFormatError(Reason(IDS_REASON_IMPORT_REFUSED, {file, inChart}));
        };
        if (Reason breach = ChartNoteCountBreach(score->notes().size()); !breach.empty())
            refuse(breach);
        for (const auto& note : score->notes()) {
            const Reason breach = ChartLimitBreach(*note, tempo, maxClock);
            if (!breach.empty())
                refuse(breach);
        }
    }
}

void CDwiImport::Apply()
{
    CStepDocument& document = m_document;
    // Commands in the history refer to the scores that are about to go.
    document.ClearHistory();
    document.scores().DeleteAll();
    // Song settings as the file left them, and every chart, its notes in the order read.
    document.SetDescription(m_read.description());
    document.SetTempoMap(m_read.tempoMap());
    for (const auto& read : m_read.scores())
        document.scores()
            .FindOrCreate(read->style(), read->difficulty())
            ->AppendNotes(read->TakeAllNotes());
    document.scores().SetCurrent(document.scores().front().get());

    // Charts that placed nothing are not kept, but the document always keeps one score.
    for (std::size_t i = 0; i < document.scores().size() && document.scores().size() > 1;) {
        CScore* score = document.scores()[i].get();
        if (score->notes().empty())
            document.scores().Delete(score);
        else
            ++i;
    }
    CScore* first = document.scores().front().get();
    document.scores().SetCurrent(first);
    document.UpdateAllViews(nullptr, UpdateHint::CurrentScore, first);
    // The song is attached once the views know the new charts: a missing one is asked about
    // with the document whole.
    if (m_audioPath)
        document.SetAudio(*m_audioPath);
    document.SetModifiedFlag(true);
    document.scores().UpdateAll();
}

DwiDiagnostics ImportDwiBytes(CStepDocument& document, const std::filesystem::path& path,
                              std::span<const std::uint8_t> bytes)
{
    CDwiImport import(document, path, bytes);
    import.Apply();
    return import.diagnostics();
}

DwiImportResult ImportDwi(CStepDocument& document, const std::filesystem::path& path,
                          const std::function<bool()>& confirmReplace,
                          const std::function<std::string(const DwiDiagnostics&)>& describe)
{
    std::vector<std::uint8_t> bytes;
    if (std::optional<std::string> failure = ReadChartFileForImport(path, bytes))
        return {false, std::move(*failure)};

    // Bytes that are no DWI file, or charts beyond the limits, are refused before anyone is
    // asked to give up the charts there are.
    CDwiImport import(document, path, bytes);
    if (HasAnyNotes(document) && confirmReplace && !confirmReplace())
        return {};
    import.Apply();
    return {true, describe(import.diagnostics())};
}

} // namespace zelvane
