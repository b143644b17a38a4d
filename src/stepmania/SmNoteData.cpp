#include "stepmania/SmNoteData.h"

#include "stepmania/MsdText.h"

#include "base/TimeUnits.h"

#include <optional>

namespace zelvane::stepmania {
namespace {

// Calls `row(text)` for every line of the measure that holds anything.
template<class RowOf> void ForEachRow(std::string_view measure, RowOf row)
{
    while (!measure.empty()) {
        const std::size_t end = measure.find('\n');
        const std::string_view line = TrimBlanks(measure.substr(0, end));
        if (!line.empty())
            row(line);
        if (end == std::string_view::npos)
            break;
        measure.remove_prefix(end + 1);
    }
}

std::int64_t CountRows(std::string_view measure)
{
    std::int64_t rows = 0;
    ForEachRow(measure, [&](std::string_view) { ++rows; });
    return rows;
}

// Past a group that opens with `open` at `i`, when one does.
std::size_t SkipGroup(std::string_view line, std::size_t i, char open, char close)
{
    if (i >= line.size() || line[i] != open)
        return i;
    const std::size_t end = line.find(close, i);
    return end == std::string_view::npos ? line.size() : end + 1;
}

class NoteDataParser {
public:
    NoteDataParser(std::int32_t columns, std::int64_t maxClock, std::size_t maxNotes)
        : m_heads(static_cast<std::size_t>(columns))
        , m_columns(columns)
        , m_maxClock(maxClock)
        , m_maxNotes(maxNotes)
    {
    }

    // False once the chart is beyond the limits: the note that goes past them is the last
    // one kept, so that whoever checks the limits can say which it was.
    bool Row(std::string_view line, std::int64_t clock)
    {
        const std::size_t before = m_result.notes.size();
        std::size_t i = 0;
        for (std::int32_t column = 0; column < m_columns && i < line.size(); ++column) {
            const char c = line[i++];
            i = SkipGroup(line, i, '{', '}');
            i = SkipGroup(line, i, '[', ']');
            if (!Note(c, column, clock))
                return false;
        }
        if (clock > m_maxClock && m_result.notes.size() > before)
            return Beyond();
        return true;
    }

    SmNoteData Take() { return std::move(m_result); }

private:
    bool Note(char c, std::int32_t column, std::int64_t clock)
    {
        std::optional<std::size_t>& head = m_heads[static_cast<std::size_t>(column)];
        SmLeftOut& out = m_result.leftOut;
        switch (c) {
        case '0':
            return true;
        case '1':
        case '2':
        case '4':
            // A head still open has lost its tail: it stays a tap.
            head.reset();
            m_result.notes.push_back({clock, column, 0});
            if (c != '1')
                head = m_result.notes.size() - 1;
            return m_result.notes.size() <= m_maxNotes || Beyond();
        case '3':
            if (!head) {
                ++out.tailsWithoutHead;
                return true;
            }
            m_result.notes[*head].length = clock - m_result.notes[*head].clock;
            head.reset();
            return true;
        case 'M':
        case 'm':
            ++out.mines;
            return true;
        case 'F':
        case 'f':
            ++out.fakes;
            return true;
        case 'L':
        case 'l':
            ++out.lifts;
            return true;
        case 'K':
        case 'k':
            ++out.keysounds;
            return true;
        default:
            ++out.unknown;
            return true;
        }
    }

    bool Beyond()
    {
        m_result.beyondLimits = true;
        return false;
    }

    SmNoteData m_result;
    std::vector<std::optional<std::size_t>> m_heads;
    std::int32_t m_columns;
    std::int64_t m_maxClock;
    std::size_t m_maxNotes;
};

} // namespace

std::int64_t RowClock(std::int64_t measure, std::int64_t row, std::int64_t rows)
{
    const std::int64_t scaled = row * kClocksPerMeasure;
    std::int64_t clock = scaled / rows;
    const std::int64_t twiceRest = 2 * (scaled % rows);
    if (twiceRest > rows || (twiceRest == rows && clock % 2 != 0))
        ++clock;
    return measure * kClocksPerMeasure + clock;
}

SmNoteData ParseNoteData(std::string_view data, std::int32_t columns, std::int64_t maxClock,
                         std::size_t maxNotes)
{
    NoteDataParser parser(columns, maxClock, maxNotes);
    std::int64_t measure = 0;
    while (true) {
        const std::size_t end = data.find(',');
        const std::string_view text = data.substr(0, end);
        const std::int64_t rows = CountRows(text);
        std::int64_t row = 0;
        bool within = true;
        ForEachRow(text, [&](std::string_view line) {
            if (within)
                within = parser.Row(line, RowClock(measure, row++, rows));
        });
        if (!within || end == std::string_view::npos)
            break;
        data.remove_prefix(end + 1);
        ++measure;
    }
    return parser.Take();
}

} // namespace zelvane::stepmania
