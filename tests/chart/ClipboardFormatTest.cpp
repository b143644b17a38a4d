#include "chart/ClipboardFormat.h"
#include "ChartTestSupport.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

TEST(ClipboardFormat, NoteListLayoutAndRoundTrip)
{
    const std::vector<CNote> notes{{96, 2, 0}, {0xFFFFFF, 7, 300}};
    const auto bytes = WriteNoteList(notes);
    const std::vector<std::uint8_t> expected{2, 0, 0,    0,    96,   0,    0, 0, 2,  0, 0, 0,
                                             0, 0, 0xFF, 0xFF, 0xFF, 0x00, 7, 0, 44, 1, 0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(ReadNoteList(bytes), notes);
    EXPECT_TRUE(ReadNoteList(WriteNoteList({})).empty());
}

// Rows copied from a score take the notes of the half-open range; pasted, they move to the
// insertion clock.
TEST(ClipboardFormat, CopiedRowsMoveToTheInsertionClock)
{
    CStepDocument document;
    CScore score(&document, Style::SINGLE, "BASIC");
    for (std::int32_t clock : {48, 96, 150, 192})
        score.InsertNote(MakeNote(clock, clock % 4, clock == 150 ? 12 : 0));
    const auto bytes = WriteClockRange(score.CopyRange(96, 96));
    ASSERT_EQ(bytes.size(), 12u + 20u);
    EXPECT_EQ(bytes[0], 96);
    EXPECT_EQ(bytes[4], 96);
    EXPECT_EQ(bytes[8], 2);
    const ClockRange pasted = ReadClockRange(bytes, 0);
    EXPECT_EQ(pasted.start, 0);
    EXPECT_EQ(pasted.length, 96);
    EXPECT_EQ(pasted.notes, (std::vector<CNote>{{0, 0, 0}, {54, 2, 12}}));
    EXPECT_EQ(ReadClockRange(bytes, 1000).notes[1].clock, 1054);
}

TEST(ClipboardFormat, ShortOrNegativeDataIsRejectedWithoutReadingPastItsEnd)
{
    const auto list = WriteNoteList(std::vector<CNote>(3, CNote{1, 2, 3}));
    for (std::size_t size = 0; size < list.size(); ++size)
        EXPECT_THROW(ReadNoteList(std::span(list).first(size)), EndOfFileError) << size;
    const auto range = WriteClockRange({0, 48, std::vector<CNote>(2)});
    for (std::size_t size = 0; size < range.size(); ++size)
        EXPECT_THROW(ReadClockRange(std::span(range).first(size), 0), EndOfFileError) << size;

    // A count far beyond the data, and a negative one.
    EXPECT_THROW(ReadNoteList(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 1, 2}),
                 EndOfFileError);
    EXPECT_THROW(ReadNoteList(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}), FileFormatError);
    // Negative clocks and lengths, in a list and in a range.
    for (const CNote note : {CNote{-1, 0, 0}, CNote{0, 0, -48}}) {
        EXPECT_THROW(ReadNoteList(WriteNoteList(std::vector<CNote>{note})), FileFormatError);
        EXPECT_THROW(ReadClockRange(WriteClockRange({0, 48, {note}}), 0), FileFormatError);
    }
    EXPECT_THROW(ReadClockRange(WriteClockRange({0, -1, {}}), 0), FileFormatError);
    EXPECT_THROW(ReadClockRange(WriteClockRange({-48, 48, {}}), 0), FileFormatError);
}
