#include "dwi/DwiReader.h"

#include "base/ChartLimits.h"
#include "chart/StepDocument.h"
#include "dwi/DwiAudioPath.h"
#include "dwi/DwiFormat.h"
#include "text/Encoding.h"
#include "text/StringTable.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace zelvane {
namespace {

constexpr std::uint8_t kLastControlByte = 0x1F;

std::span<const std::uint8_t> Bytes(const std::string& text)
{
    return AsBytes(text);
}

// Title and artist are UTF-8; bytes that are not become U+FFFD rather than reach the
// document as broken text.
std::string DecodeUtf8(const std::string& raw)
{
    if (IsValidUtf8(Bytes(raw)))
        return raw;
    return Utf16LeToUtf8(Utf8ToUtf16Le(raw));
}

// Upper-cases ASCII letters only, after decoding, so the trail bytes of double-byte
// characters are never touched.
std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// C atof rules: the leading number counts, nothing after it; no number at all gives none.
std::optional<float> ParseLeadingFloat(const std::string& text)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && (*first == ' ' || *first == '\t'))
        ++first;
    if (first != last && *first == '+')
        ++first;
    float value = 0.0f;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end == first)
        return std::nullopt;
    return value;
}

// C atol rules (leading sign and digits, 0 when there are none), held to 32 bits.
std::int32_t ParseLeadingInteger(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(kLimit, value * 10 + (text[i] - '0'));
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}

// One byte of a chart as the error message shows it.
std::string CharacterText(std::uint8_t c)
{
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    const std::uint8_t single[] = {c};
    std::string text = Utf8OrCp932ToUtf8(single);
    return text.empty() ? std::string("\xEF\xBF\xBD") : text;
}

} // namespace

NotDwiFileError::NotDwiFileError(const std::string& fileName, const Reason& why)
    : FileFormatError(Reason(IDS_REASON_NOT_DWI, {fileName, why}))
    , m_why(std::make_shared<const Reason>(why))
{
}

CDwiReader::CDwiReader(CStepDocument& document, std::filesystem::path path,
                       std::span<const std::uint8_t> bytes)
    : m_document(document)
    , m_path(std::move(path))
    , m_bytes(bytes)
{
}

DwiDiagnostics CDwiReader::Read()
{
    // The tempo tags may come after the charts, and only through the timing the file ends
    // with is it known how far a chart may reach: a first pass finds it, and finds out on
    // the way whether the bytes are a DWI file at all.
    ReadFinalTiming();
    RequireDwiText();
    CTempoMap finalMap(m_timing.songBpm());
    m_tempoMapRefusal = m_timing.Build(finalMap);
    m_maxClock = MaxChartClock(finalMap);
    Rewind();
    // Outside a tag every byte but "#" is passed over; there is no comment syntax.
    while (!m_pastChartLimits) {
        const auto byte = NextByte();
        if (!byte)
            break;
        if (*byte == '#')
            ReadTag();
    }
    if (m_timing.hasEntries() && m_tempoMapRefusal.empty()) {
        m_document.SetTempoMap(std::move(finalMap));
    } else if (m_timing.hasEntries() || m_pastChartLimits) {
        // A tempo tag after the note that stopped the reading is still the file's tempo, by
        // which the limits are judged.
        m_document.SetBpm(m_timing.songBpm());
    }
    CommitNotes();
    return std::move(m_diagnostics);
}

void CDwiReader::ReadFinalTiming()
{
    m_readsTempoOnly = true;
    m_timing = CDwiTiming(m_document.tempoMap().songBpm());
    while (const auto byte = NextByte())
        if (*byte == '#')
            ReadTag();
    m_readsTempoOnly = false;
}

void CDwiReader::RequireDwiText() const
{
    // Random bytes read as text give tags with garbled names and an empty chart; a file of
    // anything but a chart is better refused as what it is.
    if (std::find(m_bytes.begin(), m_bytes.end(), std::uint8_t{0}) != m_bytes.end())
        throw NotDwiFileError(m_path.filename().string(), Reason(IDS_REASON_DWI_HAS_NUL));
    if (!m_foundDwiTag)
        throw NotDwiFileError(m_path.filename().string(), Reason(IDS_REASON_DWI_NO_TAG));
}

void CDwiReader::Rewind()
{
    m_filePosition = 0;
    m_line = {};
    m_linePosition = 0;
    m_lineNumber = 0;
    m_diagnostics = {};
}

CDwiReader::StagedScore& CDwiReader::Stage(CScore* score)
{
    for (const auto& staged : m_staged)
        if (staged->score == score)
            return *staged;
    auto staged = std::make_unique<StagedScore>();
    staged->score = score;
    // Notes the score already has come first, as they stand.
    std::vector<std::unique_ptr<CNote>> existing;
    while (!score->notes().empty())
        existing.push_back(score->TakeNoteAt(score->notes().size() - 1));
    for (auto it = existing.rbegin(); it != existing.rend(); ++it)
        staged->notes.push_back(std::move(*it));
    m_staged.push_back(std::move(staged));
    return *m_staged.back();
}

void CDwiReader::AddNote(std::int32_t clock, std::int32_t panel)
{
    // Within one block a panel stepped twice at one clock ("<44>") is one step: a second
    // note there would only stack under the first, and a file of such repeats would
    // otherwise fill memory with notes nobody can see. Blocks laid over the same panels keep
    // their own notes.
    if (clock != m_steppedClock) {
        m_steppedClock = clock;
        m_steppedAtClock = 0;
    }
    const std::uint32_t bit = 1u << panel;
    if (m_steppedAtClock & bit)
        return;
    m_steppedAtClock |= bit;
    auto note = std::make_unique<CNote>(CNote{clock, panel, 0});
    m_score->notes.push_back(std::move(note));
    // This note is the file's ruin: nothing after it is read.
    if (clock > m_maxClock || m_score->notes.size() > kMaxChartNotes)
        m_pastChartLimits = true;
}

CNote* CDwiReader::FindNote(std::int32_t clock, std::int32_t panel)
{
    StagedScore& staged = *m_score;
    const std::size_t blockStart = staged.runStarts.back();
    for (; staged.indexed < blockStart; ++staged.indexed) {
        CNote* note = staged.notes[staged.indexed].get();
        staged.earlierBlocks.Add(note->clock, note->panel, note);
    }
    if (CNote* earlier = staged.earlierBlocks.Find(clock, panel))
        return earlier;
    // Marks name the clock of the last step or the current one: in the block being read
    // only notes of the current clock can follow, and a panel has one note per clock.
    for (std::size_t i = staged.notes.size(); i > blockStart; --i) {
        CNote* note = staged.notes[i - 1].get();
        if (note->clock < clock)
            break;
        if (note->clock == clock && note->panel == panel)
            return note;
    }
    return nullptr;
}

void CDwiReader::CommitNotes()
{
    const auto byClock = [](const auto& a, const auto& b) { return a->clock < b->clock; };
    for (const auto& staged : m_staged) {
        // The notes the score had, then each block's, are runs in clock order: merging
        // neighbouring runs pairwise until one is left gives the order of a stable sort at a
        // fraction of its work (most scores are one or two blocks).
        auto& notes = staged->notes;
        std::vector<std::size_t>& runs = staged->runStarts;
        runs.push_back(notes.size());
        bool runsSorted = true;
        for (std::size_t i = 0; i + 1 < runs.size() && runsSorted; ++i)
            runsSorted
                = std::is_sorted(notes.begin() + static_cast<std::ptrdiff_t>(runs[i]),
                                 notes.begin() + static_cast<std::ptrdiff_t>(runs[i + 1]), byClock);
        if (!runsSorted)
            std::stable_sort(notes.begin(), notes.end(), byClock);
        while (runsSorted && runs.size() > 2) {
            std::vector<std::size_t> merged;
            for (std::size_t i = 0; i + 1 < runs.size(); i += 2) {
                merged.push_back(runs[i]);
                if (i + 2 < runs.size()) {
                    const auto at = [&](std::size_t k) {
                        return notes.begin() + static_cast<std::ptrdiff_t>(runs[k]);
                    };
                    std::inplace_merge(at(i), at(i + 1), at(i + 2), byClock);
                }
            }
            merged.push_back(runs.back());
            runs = std::move(merged);
        }
        // Staging took the score's notes, so it is empty and takes the array as it is.
        staged->score->AppendNotes(std::move(staged->notes));
    }
    m_staged.clear();
}

bool CDwiReader::ReadLine()
{
    while (m_filePosition < m_bytes.size() && m_bytes[m_filePosition] <= kLastControlByte)
        ++m_filePosition;
    const std::size_t start = m_filePosition;
    while (m_filePosition < m_bytes.size() && m_bytes[m_filePosition] > kLastControlByte)
        ++m_filePosition;
    m_line = std::string_view(reinterpret_cast<const char*>(m_bytes.data()) + start,
                              m_filePosition - start);
    m_linePosition = 0;
    if (m_line.empty())
        return false;
    ++m_lineNumber;
    return true;
}

std::optional<std::uint8_t> CDwiReader::NextByte()
{
    while (m_linePosition >= m_line.size())
        if (!ReadLine())
            return std::nullopt;
    return static_cast<std::uint8_t>(m_line[m_linePosition++]);
}

std::string CDwiReader::ReadUntil(char terminator)
{
    std::string field;
    m_fieldEnded = false;
    while (const auto byte = NextByte()) {
        if (*byte == static_cast<std::uint8_t>(terminator)) {
            m_fieldEnded = true;
            break;
        }
        field += static_cast<char>(*byte);
    }
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

void CDwiReader::ReadTag()
{
    const std::string name = AsciiUpper(Utf8OrCp932ToUtf8(Bytes(ReadUntil(':'))));
    if (name.empty())
        return;
    if (m_readsTempoOnly) {
        // Every tag's value is passed over as the real reading passes over it. A known tag
        // whose value ends where it should shows the bytes to be a DWI file.
        if (name == "BPM") {
            ReadBpm(ReadUntil(';'));
            m_foundDwiTag |= m_fieldEnded;
        } else if (name == "SINGLE" || name == "DOUBLE" || name == "COUPLE") {
            SkipChart();
        } else if (name == "CHANGEBPM") {
            ReadTempoChanges(ReadUntil(';'));
            m_foundDwiTag |= m_fieldEnded;
        } else if (name == "FREEZE") {
            ReadFreezes(ReadUntil(';'));
            m_foundDwiTag |= m_fieldEnded;
        } else if (name == "TITLE" || name == "ARTIST" || name == "GAP" || name == "FILE") {
            ReadUntil(';');
            m_foundDwiTag |= m_fieldEnded;
        }
        return;
    }
    if (name == "TITLE" || name == "ARTIST" || name == "GAP") {
        SongDescription song = m_document.description();
        if (name == "TITLE")
            song.title = DecodeUtf8(ReadUntil(';'));
        else if (name == "ARTIST")
            song.artist = DecodeUtf8(ReadUntil(';'));
        else
            song.gap = ParseLeadingInteger(ReadUntil(';'));
        m_document.SetDescription(std::move(song));
    } else if (name == "BPM") {
        ReadBpm(ReadUntil(';'));
    } else if (name == "FILE") {
        const std::string value = Utf8OrCp932ToUtf8(Bytes(ReadUntil(';')));
        m_audioPath = dwi::ResolveDwiAudioPath(m_path, value);
    } else if (name == "SINGLE") {
        ReadChart(Style::SINGLE);
    } else if (name == "DOUBLE") {
        ReadChart(Style::DOUBLE);
    } else if (name == "COUPLE") {
        ReadChart(Style::COUPLE);
    } else if (name == "CHANGEBPM") {
        ReadTempoChanges(ReadUntil(';'));
    } else if (name == "FREEZE") {
        ReadFreezes(ReadUntil(';'));
    } else {
        // The value is left to the outer scan, which passes over it up to the next "#".
        AddDiagnostic(DwiDiagnostic::Kind::UnknownTag, name);
    }
}

void CDwiReader::ReadBpm(const std::string& value)
{
    // A tempo of 0 or less would make every clock-to-frame conversion divide by it: such a
    // value is reported and the tempo stays as it was.
    const std::optional<float> bpm = ParseLeadingFloat(value);
    if (!bpm || !IsValidBpm(*bpm)) {
        AddDiagnostic(DwiDiagnostic::Kind::InvalidTempo, Utf8OrCp932ToUtf8(Bytes(value)));
        return;
    }
    if (m_readsTempoOnly)
        m_timing.SetSongBpm(*bpm);
    else
        m_document.SetBpm(*bpm);
}

void CDwiReader::ReadTempoChanges(const std::string& value)
{
    // An entry that is no position and tempo above 0 is reported and passed over, as a bad
    // #BPM is; the others stand.
    ForEachDwiListEntry(value, [this](std::string_view entry) {
        const std::optional<DwiTimingEntry> change = ParseDwiTempoChange(entry);
        if (!change)
            AddDiagnostic(DwiDiagnostic::Kind::InvalidTempoChange,
                          Utf8OrCp932ToUtf8(AsBytes(entry)));
        else if (m_readsTempoOnly)
            m_timing.SetTempo(change->clock, static_cast<float>(change->value));
    });
}

void CDwiReader::ReadFreezes(const std::string& value)
{
    ForEachDwiListEntry(value, [this](std::string_view entry) {
        const std::optional<DwiTimingEntry> freeze = ParseDwiFreeze(entry);
        if (!freeze)
            AddDiagnostic(DwiDiagnostic::Kind::InvalidFreeze, Utf8OrCp932ToUtf8(AsBytes(entry)));
        else if (m_readsTempoOnly)
            m_timing.SetFreeze(freeze->clock, freeze->value);
    });
}

void CDwiReader::ReadChart(Style style)
{
    const std::string difficulty = AsciiUpper(Utf8OrCp932ToUtf8(Bytes(ReadUntil(':'))));
    ReadUntil(':'); // the foot rating, which the editor does not keep
    m_score = &Stage(m_document.scores().FindOrCreate(style, difficulty));
    m_panelOffset = 0;
    StartBlock();

    while (!m_pastChartLimits) {
        const auto byte = NextByte();
        if (!byte)
            break;
        const char c = static_cast<char>(*byte);
        if (c == ';')
            break;
        if (c == '!') {
            // A freeze mark on what the last step placed; it takes no time of its own.
            const auto marked = NextByte();
            if (!marked)
                break;
            if (*marked == '<')
                ReadGroup(true, m_lastClock);
            else
                ApplyArrow(*marked, true, m_lastClock);
        } else if (const auto step = dwi::StepClocksOf(c)) {
            m_stepClocks = *step;
        } else if (c == ':') {
            // The next pad, or the second dancer; a single pad lays blocks over each other.
            StartBlock();
            if (style != Style::SINGLE)
                m_panelOffset
                    = std::min(m_panelOffset + dwi::kPanelsPerPad, 2 * dwi::kPanelsPerPad);
        } else if (c == '<') {
            ReadGroup(false, m_clock);
            Advance();
        } else {
            ApplyArrow(*byte, false, m_lastClock);
            Advance();
        }
    }
    DiscardRestOfLine();
    StartBlock();
    m_panelOffset = 0;
    m_score = nullptr;
}

void CDwiReader::SkipChart()
{
    // A chart may lack its ";" and run to the end of the file; its difficulty and foot
    // rating, each ended by ":", make it a chart.
    ReadUntil(':');
    const bool headerEnded = m_fieldEnded;
    ReadUntil(':');
    m_foundDwiTag |= headerEnded && m_fieldEnded;
    // A chart's body sets no tempo, so the first pass only needs where it ends, found by
    // ReadChart's rules: at a ";" outside a group that no "!" precedes, then the rest of that
    // line. A tight loop over the bytes, since a huge chart would otherwise cost this pass as
    // much as the reading itself.
    const std::size_t size = m_bytes.size();
    std::size_t position = m_filePosition - (m_line.size() - m_linePosition);
    const auto next = [&]() -> int {
        while (position < size && m_bytes[position] <= kLastControlByte)
            ++position;
        return position < size ? m_bytes[position++] : -1;
    };
    bool inGroup = false;
    for (int c = next(); c >= 0; c = next()) {
        if (inGroup) {
            if (c == '>') {
                inGroup = false;
            } else if (c == '!') {
                const int marked = next();
                inGroup = marked >= 0 && marked != '>';
            }
        } else if (c == ';') {
            while (position < size && m_bytes[position] > kLastControlByte)
                ++position;
            break;
        } else if (c == '!') {
            const int marked = next();
            if (marked < 0)
                break;
            inGroup = marked == '<';
        } else {
            inGroup = c == '<';
        }
    }
    m_filePosition = position;
    m_line = {};
    m_linePosition = 0;
}

void CDwiReader::ReadGroup(bool freeze, std::int32_t markClock)
{
    // In a plain group a "!" marks the notes the group has already placed at this clock; in
    // a group after "!" every arrow is a freeze mark on the step before.
    while (const auto byte = NextByte()) {
        if (*byte == '>')
            return;
        if (*byte == '!') {
            const auto marked = NextByte();
            if (!marked || *marked == '>')
                return;
            ApplyArrow(*marked, true, markClock);
        } else {
            ApplyArrow(*byte, freeze, markClock);
        }
    }
}

void CDwiReader::ApplyArrow(std::uint8_t c, bool freeze, std::int32_t markClock)
{
    const std::optional<std::uint8_t> mask = dwi::ArrowMask(static_cast<char>(c));
    if (!mask) {
        AddDiagnostic(DwiDiagnostic::Kind::UnknownCharacter, CharacterText(c));
        return;
    }
    for (std::int32_t bit = 0; bit < dwi::kPanelsPerPad; ++bit) {
        if (!(*mask & (1u << bit)))
            continue;
        const std::int32_t panel = m_panelOffset + bit;
        // A third block of a two-pad chart names panels no score has.
        if (!m_score->score->HasPanel(panel))
            continue;
        CNote*& pending = m_pendingFreeze[static_cast<std::size_t>(panel)];
        if (!pending) {
            if (!freeze)
                AddNote(m_clock, panel);
            else
                pending = FindNote(markClock, panel);
        } else if (!freeze) {
            // The next arrow on a held panel is where the freeze ends, not a new step.
            pending->length = m_clock - pending->clock;
            pending = nullptr;
        }
    }
}

void CDwiReader::Advance()
{
    m_lastClock = m_clock;
    // Held at the largest clock rather than wrapped: only a file of gigabytes gets there.
    if (m_clock > std::numeric_limits<std::int32_t>::max() - m_stepClocks)
        m_clock = std::numeric_limits<std::int32_t>::max();
    else
        m_clock += m_stepClocks;
}

void CDwiReader::StartBlock()
{
    if (m_score)
        m_score->runStarts.push_back(m_score->notes.size());
    m_steppedClock = -1;
    m_clock = 0;
    m_lastClock = -1; // no step yet: a "!" here has nothing to mark
    m_stepClocks = dwi::kDefaultStepClocks;
    m_pendingFreeze.fill(nullptr);
}

void CDwiReader::AddDiagnostic(DwiDiagnostic::Kind kind, std::string argument)
{
    if (!m_readsTempoOnly)
        m_diagnostics.Add({kind, m_lineNumber, std::move(argument)});
}

} // namespace zelvane
