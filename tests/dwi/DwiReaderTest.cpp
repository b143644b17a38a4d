#include "DwiTestSupport.h"

#include "base/ChartLimits.h"
#include "chart/commands/AddNoteCommand.h"
#include "dwi/DwiReader.h"
#include "dwi/FirstNoteIndex.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

using namespace zelvane;
using namespace zelvane::test;

TEST(DwiReader, StepSizesBracketsGroupsAndFreezes)
{
    const std::pair<const char*, Notes> cases[] = {
        {"2480", {{0, 1, 0}, {24, 0, 0}, {48, 2, 0}}},
        // After a closing bracket the steps are eighths again.
        {"(2222)2", {{0, 1, 0}, {12, 1, 0}, {24, 1, 0}, {36, 1, 0}, {48, 1, 0}}},
        {"[22]{22}`22'2",
         {{0, 1, 0}, {8, 1, 0}, {16, 1, 0}, {19, 1, 0}, {22, 1, 0}, {23, 1, 0}, {24, 1, 0}}},
        // A group is one step however many arrows it holds; "<" inside it reads as mask 7.
        {"<24>6", {{0, 0, 0}, {0, 1, 0}, {24, 3, 0}}},
        {"<81>B", {{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {24, 0, 0}, {24, 3, 0}}},
        {"2!2002", {{0, 1, 72}}},
        // The end arrow may be part of a combined step; the other panel of it is a tap.
        {"2!20(3)", {{0, 1, 48}, {48, 3, 0}}},
        // "!" before a group marks every arrow of it.
        {"<19>!<19>0<19>", {{0, 0, 48}, {0, 1, 48}, {0, 2, 48}, {0, 3, 48}}},
        // "!" inside a group marks what the group has placed at its own clock.
        {"<64!4>0B", {{0, 0, 48}, {0, 3, 0}, {48, 3, 0}}},
        // A mark on a panel the step before left empty marks nothing.
        {"2!42", {{0, 1, 0}, {24, 1, 0}}},
    };
    for (const auto& [chart, expected] : cases) {
        CStepDocument document;
        EXPECT_TRUE(ImportText(document, "#SINGLE:BASIC:5:" + std::string(chart) + ";").empty());
        ASSERT_EQ(document.scores().size(), 1u) << chart;
        EXPECT_EQ(SortedNotesOf(*document.scores().front()), expected) << chart;
    }
}

TEST(DwiReader, TagsAreCaseBlindAndErrorsNameTheNonEmptyLine)
{
    CStepDocument document;
    EXPECT_TRUE(ImportText(document,
                           "#title:abc;#Artist: X Y ;\r\n#bpm: 150.5 ;"
                           "#GAP:-120ms;#CHANGEBPM:96=200;#FREEZE:1=2;")
                    .empty());
    EXPECT_EQ(document.description().title, "abc");
    EXPECT_EQ(document.description().artist, "X Y");
    EXPECT_EQ(document.tempoMap().songBpm(), 150.5f);
    EXPECT_EQ(document.description().gap, -120);

    // Blank lines and control bytes do not count; a chart runs on across line breaks.
    const auto result = ImportText(document,
                                   "\r\n#TITLE:t;\r\n\r\n\t\r\n#FOO:bar;\r\n"
                                   "#SINGLE:BASIC:1:24\r\n8#\x01Z;");
    using Kind = DwiDiagnostic::Kind;
    EXPECT_EQ(result.listed,
              (std::vector<DwiDiagnostic>{{Kind::UnknownTag, 2, "FOO"},
                                          {Kind::UnknownCharacter, 4, "#"},
                                          {Kind::UnknownCharacter, 5, "Z"}}));
    // The desktop program's list reads as it always has.
    EXPECT_EQ(FormatDwiDiagnosticsJapanese(result),
              "2行目:\"FOO\" には対応していません。\r\n"
              "4行目:'#' には対応していません。\r\n"
              "5行目:'Z' には対応していません。");
    // Characters that are not arrows still take their step.
    EXPECT_EQ(NotesOf(*document.scores().front()), (Notes{{0, 1, 0}, {24, 0, 0}, {48, 2, 0}}));

    // A file that repeats one fault without end lists the first hundred and counts the rest.
    const auto flood = ImportText(document, "#SINGLE:BASIC:1:" + std::string(1000, 'Z') + ";");
    EXPECT_EQ(flood.listed.size(), 100u);
    EXPECT_EQ(flood.unlisted, 900);
    const std::string floodText = FormatDwiDiagnosticsJapanese(flood);
    EXPECT_EQ(floodText.substr(floodText.rfind('\n') + 1), "…ほか900件");
    // A tempo that is not above zero is reported and ignored.
    for (const std::string value : {"0", "-3", "abc", "", "nan"}) {
        const auto tempo = ImportText(document, "#BPM:" + value + ";");
        EXPECT_EQ(tempo.listed, (std::vector<DwiDiagnostic>{{Kind::InvalidTempo, 1, value}}));
        EXPECT_EQ(document.tempoMap().songBpm(), 150.5f) << value;
    }
    EXPECT_EQ(FormatDwiDiagnosticsJapanese(ImportText(document, "#BPM:-3;")),
              "1行目:\"BPM:-3\" には対応していません。");

    // Tags that name the cover or the genre change nothing: the desktop program's list
    // leaves them out, listed or only counted, while the list itself keeps them.
    const auto around = ImportText(document, "#GENRE:Pop;#CDTITLE:c.png;#SINGLE:BASIC:1:8;");
    EXPECT_EQ(around.listed.size(), 2u);
    EXPECT_EQ(FormatDwiDiagnosticsJapanese(around), "");
    std::string covers;
    for (int i = 0; i < 150; ++i)
        covers += "#CDTITLE:c.png;\n";
    const auto many = ImportText(document, covers + "#FOO:x;\n#SINGLE:BASIC:1:Z;");
    EXPECT_EQ(many.unlisted, 52);
    EXPECT_EQ(FormatDwiDiagnosticsJapanese(many), "…ほか2件");
}

// A chart fills the score of its style and difficulty, a second block the second pad or
// dancer; scores left empty are dropped.
TEST(DwiReader, ChartsFillTheirScoresBlocksTheSecondPadAndEmptyScoresAreDropped)
{
    CStepDocument document;
    const auto result = ImportText(document,
                                   "#DOUBLE:BASIC:5:4:6:2;\r\n#COUPLE:BASIC:5:8:8;\r\n"
                                   "#SINGLE:BASIC:5:42:6;\r\n#SINGLE:ANOTHER:1:4:4!4004;");
    EXPECT_TRUE(result.empty()); // the third DOUBLE block is passed over without a word
    ASSERT_EQ(document.scores().size(), 4u);
    // The SINGLE "BASIC" score the import starts with keeps its place in front.
    EXPECT_EQ(document.scores()[1]->style(), Style::DOUBLE);
    EXPECT_EQ(SortedNotesOf(*document.scores()[1]), (Notes{{0, 0, 0}, {0, 7, 0}}));
    EXPECT_EQ(SortedNotesOf(*document.scores()[2]), (Notes{{0, 2, 0}, {0, 6, 0}}));
    // A single pad lays its blocks over the same panels, each from clock 0; a later block's
    // note goes after every note of the same clock already there.
    EXPECT_EQ(NotesOf(*document.scores()[0]), (Notes{{0, 0, 0}, {0, 3, 0}, {24, 1, 0}}));
    // Of two notes at one clock and panel the first is the one marked as a freeze.
    EXPECT_EQ(NotesOf(*document.scores()[3]), (Notes{{0, 0, 72}, {0, 0, 0}}));

    ImportText(document, "#TITLE:only;");
    ASSERT_EQ(document.scores().size(), 1u);
    EXPECT_EQ(document.scores()[0]->style(), Style::SINGLE);
    EXPECT_EQ(document.scores()[0]->difficulty(), "BASIC");
    // The rest of a line after a chart is passed over, a chart tag included.
    ImportText(document,
               "#single:maniac:9:2;#SINGLE:BASIC:1:8;\r\n#DOUBLE:BASIC:1:0;\r\n"
               "#SINGLE:Maniac:9:04;");
    ASSERT_EQ(document.scores().size(), 1u);
    const CScore& maniac = *document.scores()[0];
    EXPECT_EQ(maniac.difficulty(), "MANIAC");
    EXPECT_EQ(NotesOf(maniac), (Notes{{0, 1, 0}, {24, 0, 0}}));
    EXPECT_EQ(document.scores().current(), &maniac);
    EXPECT_EQ(maniac.length(), 24);
}

TEST(DwiReader, SongPathIsTakenFromTheChartFolderIgnoringLetterCase)
{
    TempFolder folder;
    const auto song = folder.Write("Music/Song One.MP3", "x");
    const auto dwi = folder.Write("charts.dwi", "");
    const auto japanese = folder.Write("曲.wav", "x");
    const std::tuple<std::string, std::filesystem::path, std::filesystem::path> cases[] = {
        {".\\music\\song one.mp3", dwi, song},
        {song.string(), "/elsewhere/x.dwi", song},
        {"sub\\gone.wav", dwi, folder.path() / "sub/gone.wav"}, // not there: kept as written
        {"\x8B\xC8.wav", dwi, japanese},                        // code page 932 bytes of 曲.wav
    };
    CStepDocument document;
    for (const auto& [written, chart, expected] : cases) {
        ImportText(document, "#FILE:" + written + ";", chart);
        EXPECT_EQ(document.audio().path, expected.string());
    }
}

// At 0.001 BPM a note one step in lies centuries into the song: once the dance overflowed
// its 32-bit frame arithmetic on such a file. Such a chart, and one of more notes than a
// document file can count, are refused whole, wherever the tempo tag stands, and the
// document keeps its charts and its tempo. (How far such files are read is the next case's.)
TEST(DwiReader, ChartsBeyondTheChartLimitsAreRefusedWithNothingReplaced)
{
    const std::string fast = "#BPM:1000;#SINGLE:BASIC:1:";
    // At the fastest tempo a chart still ends by clock 2^22: a step every 24 clocks puts
    // the step after 174 762 empty ones at 4 194 288, one more beyond.
    const std::string fastest = "#BPM:100000;#SINGLE:BASIC:1:";
    const std::pair<std::string, const char*> cases[] = {
        {"#TITLE:x;#BPM:0.001;#SINGLE:BASIC:1:02;", "two hours"},
        {"#TITLE:x;#DOUBLE:BASIC:1:(0000)2;\r\n#BPM:0.001;", "two hours"},
        {fast + std::string(kMaxChartNotes + 1, '8') + "Z;", "65536 notes"},
        {"#TITLE:x;" + fastest + std::string(174763, '0') + "8;", "clock 4194304"},
        {"#TITLE:x;#BPM:100001;#SINGLE:BASIC:1:8;", "100000 BPM"},
        {"#TITLE:x;#GAP:2147483647;", "gap of 2147483647 ms"},
        {"#TITLE:x;#GAP:-600001;", "gap of -600001 ms"},
    };
    for (const auto& [text, says] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        CStepDocument document;
        document.NewDocument();
        document.scores().current()->InsertNote(MakeNote(96, 3));
        try {
            ImportText(document, text);
            ADD_FAILURE() << "the chart was imported";
        } catch (const FileFormatError& error) {
            EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << error.what();
        }
        EXPECT_EQ(document.description().title, "");
        EXPECT_EQ(document.tempoMap().songBpm(), 120.0f);
        ASSERT_EQ(document.scores().size(), 1u);
        EXPECT_EQ(NotesOf(*document.scores().current()), (Notes{{96, 3, 0}}));
    }
    CStepDocument full;
    ImportText(full, fast + std::string(kMaxChartNotes, '8') + ";");
    EXPECT_EQ(full.scores().front()->notes().size(), kMaxChartNotes);
    ImportText(full, "#GAP:-600000;" + fastest + std::string(174762, '0') + "8;");
    EXPECT_EQ(NotesOf(*full.scores().front()), (Notes{{4194288, 2, 0}}));
    EXPECT_EQ(std::tuple(full.tempoMap().songBpm(), full.description().gap),
              std::tuple(kMaxChartBpm, -kMaxChartGap));
}

// An import asks before it replaces notes and keeps them on a no. Bytes that are no DWI file
// (binary data, or text without one DWI tag and its value), charts beyond the limits and files
// that cannot be read are refused before anyone is asked, with the document, its history
// included, as it was.
TEST(DwiReader, ImportAsksBeforeReplacingNotesAndRefusesWhatItCannotTakeBeforeAsking)
{
    TempFolder folder;
    const auto dwi = folder.Write("a.dwi", "#SINGLE:BASIC:1:8;");
    CStepDocument document;
    document.NewDocument();
    int asked = 0;
    const auto refuse = [&] { return ++asked, false; };
    EXPECT_TRUE(ImportDwi(document, dwi, refuse).imported); // no notes yet: nothing to ask
    EXPECT_EQ(asked, 0);
    auto add = std::make_unique<CAddNoteCommand>(document.scores().current(), "add");
    add->AddNote(MakeNote(96, 3));
    document.Execute(std::move(add), nullptr);
    const Notes kept = {{0, 2, 0}, {96, 3, 0}};

    std::mt19937 random(5000);
    std::string noise(5000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);
    const std::pair<std::string, const char*> cases[] = {
        {noise, "NUL"},
        {std::string("#TITLE:x;\0#SINGLE:BASIC:1:8;", 28), "NUL"},
        {"", "no DWI tag"},
        {"Notes for the set list: #1 opener, #2: the slow one.", "no DWI tag"},
        {"#TITLE:never ended", "no DWI tag"},
        {"#SINGLE:BASIC", "no DWI tag"},
        {"#GENRE:Pop;#CDTITLE:c.png;", "no DWI tag"},
    };
    for (const auto& [text, says] : cases) {
        SCOPED_TRACE(says);
        const auto path = folder.Write("garbage.dwi", text);
        try {
            ImportDwi(document, path, refuse);
            ADD_FAILURE() << "imported";
        } catch (const NotDwiFileError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("\"garbage.dwi\" is not a DWI file: ", 0), 0u) << message;
            EXPECT_NE(message.find(says), std::string::npos) << message;
        }
    }
    EXPECT_THROW(ImportDwi(document, folder.Write("gap.dwi", "#GAP:2147483647;"), refuse),
                 FileFormatError);
    // A file larger than any chart is not read at all (sparse: it takes no disk).
    const auto huge = folder.Write("huge.dwi", "#TITLE:x;");
    std::filesystem::resize_file(huge, std::uintmax_t{64} << 30);
    const DwiImportResult unread = ImportDwi(document, huge, refuse);
    EXPECT_FALSE(unread.imported);
    // The import's errors are the desktop program's: its reason is said in Japanese.
    EXPECT_EQ(unread.errors.rfind("\"" + huge.string() + "\" は大きすぎるため", 0), 0u)
        << unread.errors;
    for (const auto& unreadable : {folder / "none.dwi", folder.path()}) {
        const auto missing = ImportDwi(document, unreadable, refuse);
        EXPECT_TRUE(!missing.imported && !missing.errors.empty()) << unreadable;
    }
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(NotesOf(*document.scores().current()), kept);
    EXPECT_TRUE(document.CanUndo());

    EXPECT_FALSE(ImportDwi(document, dwi, refuse).imported);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(NotesOf(*document.scores().current()), kept);
    EXPECT_TRUE(document.CanUndo());
    EXPECT_TRUE(ImportDwi(document, dwi, [] { return true; }).imported);
    EXPECT_EQ(NotesOf(*document.scores().current()), (Notes{{0, 2, 0}}));
    EXPECT_FALSE(document.CanUndo()); // the history referred to the scores that went

    // The caller words what the reader could not take; the Japanese list is the default.
    const auto odd = folder.Write("odd.dwi", "#FOO:x;\n#SINGLE:BASIC:1:8;");
    const auto worded = [](const DwiDiagnostics& diagnostics) {
        return std::to_string(diagnostics.listed.at(0).line) + diagnostics.listed[0].argument;
    };
    EXPECT_EQ(ImportDwi(document, odd, {}, worded).errors, "1FOO");
    EXPECT_EQ(ImportDwi(document, odd).errors, "1行目:\"FOO\" には対応していません。");

    // The least a DWI file can be: a tag and its value, a chart's header, or a tempo that
    // is reported as no tempo.
    for (const char* text : {"#TITLE:;", "#single:basic:1:", "#CHANGEBPM:1=2;", "#BPM:0;"}) {
        CStepDocument least;
        EXPECT_NO_THROW(ImportText(least, text)) << text;
    }
}

// A hostile file costs no more than its notes: nested brackets are one step, and a chart that
// runs past the chart limits at the tempo the file ends with is read only up to the first
// note beyond them, whatever follows. That last tempo is found by a first pass, which ends a
// chart where the reading does: a ";" inside a group or after "!" does not.
TEST(DwiReader, HostileFilesAreReadNoFurtherThanTheirNotesReach)
{
    CStepDocument document;
    // The group never closes: the ";" is one more character in it, the only one not an arrow.
    const auto nested = ImportText(document, "#SINGLE:BASIC:1:" + std::string(2 << 20, '<') + ";");
    EXPECT_EQ(nested.listed,
              (std::vector<DwiDiagnostic>{{DwiDiagnostic::Kind::UnknownCharacter, 1, ";"}}));
    EXPECT_EQ(SortedNotesOf(*document.scores().front()), (Notes{{0, 0, 0}, {0, 1, 0}, {0, 2, 0}}));

    const std::string steps = "#SINGLE:BASIC:1:" + std::string(1 << 20, '8') + "Z;";
    for (const auto& [text, bpm] : {std::pair(steps, 120.0f), {steps + "\n#BPM:60;", 60.0f}}) {
        CStepDocument scratch;
        const auto bytes
            = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        CDwiReader reader(scratch, "/nonexistent/long.dwi", bytes);
        EXPECT_TRUE(reader.Read().empty()) << bpm; // the "Z" after the steps is never reached
        const std::int32_t firstBeyond = (MaxChartClock(bpm) / 24 + 1) * 24;
        const CScore& score = *scratch.scores().Find(Style::SINGLE, "BASIC");
        EXPECT_EQ(score.notes().size(), static_cast<std::size_t>(firstBeyond / 24 + 1)) << bpm;
        EXPECT_EQ(score.notes().back()->clock, firstBeyond) << bpm;
    }

    // At 200 BPM the last note fits; at the 100 or 50 hidden in the groups it would not.
    ImportText(document,
               "#BPM:200;#SINGLE:BASIC:1:<8!;\n#BPM:50;\n><4;\n#BPM:100;\n>"
                   + std::string(24010, '0') + "8;");
    EXPECT_EQ(document.tempoMap().songBpm(), 200.0f);
    EXPECT_EQ(document.scores().front()->notes().back()->clock, 24 * 24012);
    EXPECT_GT(24 * 24012, MaxChartClock(100.0f));
}

// Keys as a chart makes them (clocks a step apart, every panel, each place stepped twice)
// through many growths of the table: each place keeps the first note added there.
TEST(FirstNoteIndex, KeepsTheFirstNoteOfEachPlaceThroughGrowth)
{
    constexpr int kClocks = 5000;
    std::vector<CNote> first(kClocks * 8), second(kClocks * 8);
    CFirstNoteIndex index;
    EXPECT_EQ(index.Find(0, 0), nullptr);
    for (int round = 0; round < 2; ++round)
        for (int clock = 0; clock < kClocks; ++clock)
            for (int panel = 0; panel < 8; ++panel)
                index.Add(clock * 24, panel, &(round == 0 ? first : second)[clock * 8 + panel]);
    for (int clock = 0; clock < kClocks; ++clock) {
        for (int panel = 0; panel < 8; ++panel)
            ASSERT_EQ(index.Find(clock * 24, panel), &first[clock * 8 + panel]) << clock;
        EXPECT_EQ(index.Find(clock * 24 + 1, 0), nullptr);
    }
    // Clocks far apart in their high bits are places of their own too.
    index.Add(1 << 30, 3, &second[0]);
    EXPECT_EQ(index.Find(1 << 30, 3), &second[0]);
    EXPECT_EQ(index.Find(1 << 30, 2), nullptr);
}
