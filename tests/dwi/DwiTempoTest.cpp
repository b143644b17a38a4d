#include "DwiTestSupport.h"

#include "TestData.h"
#include "dwi/DwiWriter.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

using Events = std::vector<CTempoEvent>;

Events MapOf(float songBpm, Events events)
{
    CTempoMap map(songBpm);
    EXPECT_TRUE(map.Add(events).empty());
    return map.events();
}

// What the import refuses the text for, in English; empty when it takes the text.
std::string Refusal(CStepDocument& document, std::string_view text)
{
    try {
        ImportText(document, text);
    } catch (const FileFormatError& error) {
        return error.what();
    }
    return {};
}

std::string Text(const CStepDocument& document)
{
    const auto bytes = DwiBytes(document, "/d/x.dwi");
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

// Positions count sixteenths and round to the nearest clock, ties to even; a later tempo or
// freeze at a clock replaces the earlier one, in file order with #BPM as the tempo at clock 0;
// changes to the tempo already holding and freezes of no time are no events.
TEST(DwiTempoTags, ChangesAndFreezesBecomeTheDocumentsTempoMap)
{
    CStepDocument document;
    EXPECT_TRUE(ImportText(document,
                           "#BPM:140;\r\n#CHANGEBPM:4=70, 8=70 ,100.5=200,;\r\n"
                           "#FREEZE:8=53,0.125=10,0.375=20,12=0,0.0833=7;\r\n"
                           "#SINGLE:BASIC:1:2;")
                    .empty());
    EXPECT_EQ(document.tempoMap().songBpm(), 140.0f);
    EXPECT_EQ(document.tempoMap().events(),
              MapOf(140.0f,
                    {CStop{1, 7.0}, CStop{2, 10.0}, CStop{4, 20.0}, CTempoChange{48, 70.0f},
                     CStop{96, 53.0}, CTempoChange{1206, 200.0f}}));

    const std::pair<const char*, Events> cases[] = {
        {"#CHANGEBPM:4=70;#CHANGEBPM:4=90;#FREEZE:1=5,1=6;",
         MapOf(140.0f, {CTempoChange{48, 90.0f}, CStop{12, 6.0}})},
        // A change at clock 0 is the song's tempo, and the last tempo there wins.
        {"#BPM:140;#CHANGEBPM:0=150;", MapOf(150.0f, {})},
        {"#CHANGEBPM:0=150,4=120;#BPM:160;", MapOf(160.0f, {CTempoChange{48, 120.0f}})},
        // A file that only restates its tempo is a song of one tempo.
        {"#BPM:140;#CHANGEBPM:0=140,4=140;#FREEZE:2=0;", MapOf(140.0f, {})},
    };
    for (const auto& [text, expected] : cases) {
        CStepDocument read;
        read.SetBpm(140.0f);
        EXPECT_TRUE(ImportText(read, text).empty()) << text;
        EXPECT_EQ(read.tempoMap().events(), expected) << text;
        EXPECT_EQ(read.tempoMap().songBpm(), std::get<CTempoChange>(expected.front()).bpm) << text;
    }
}

// A bad entry is reported like a bad #BPM and passed over; the entries beside it stand.
TEST(DwiTempoTags, BadEntriesAreReportedAndPassedOver)
{
    CStepDocument document;
    const auto result = ImportText(
        document,
        "#BPM:120;\r\n#CHANGEBPM:4=0,x=5,9=abc,10,11=2=3,12=130;\r\n#FREEZE:-1=5,4=-2,6=7;");
    using Kind = DwiDiagnostic::Kind;
    std::vector<DwiDiagnostic> expected;
    for (const char* entry : {"4=0", "x=5", "9=abc", "10", "11=2=3"})
        expected.push_back({Kind::InvalidTempoChange, 2, entry});
    for (const char* entry : {"-1=5", "4=-2"})
        expected.push_back({Kind::InvalidFreeze, 3, entry});
    EXPECT_EQ(result.listed, expected);
    EXPECT_EQ(document.tempoMap().events(),
              MapOf(120.0f, {CStop{72, 7.0}, CTempoChange{144, 130.0f}}));
    const std::string japanese = FormatDwiDiagnosticsJapanese(result);
    EXPECT_EQ(japanese.substr(0, japanese.find('\r')),
              "2行目:\"CHANGEBPM:4=0\" には対応していません。");
    EXPECT_EQ(DescribeDwiDiagnostic(result.listed[6]),
              "line 3: the freeze \"4=-2\" is not a position and milliseconds of 0 or more");
}

// What no tempo map takes refuses the file whole, and the charts are held to the limits
// through the map: a chart that fits two hours at its tempo may not once it stands an hour.
TEST(DwiTempoTags, MapRefusalsAndChartLimitsThroughTheMapRefuseTheFile)
{
    CStepDocument document;
    ImportText(document, "#BPM:150;#SINGLE:BASIC:1:8;");
    const auto untouched = [&document] {
        EXPECT_TRUE(document.tempoMap() == CTempoMap(150.0f));
        EXPECT_EQ(NotesOf(*document.scores().front()), (Notes{{0, 2, 0}}));
    };

    std::string many = "#CHANGEBPM:";
    for (int i = 1; i <= 70000; ++i)
        many += std::to_string(i) + (i % 2 ? "=100," : "=200,");
    EXPECT_NE(Refusal(document, many + ";#SINGLE:BASIC:1:2;").find("more than the 65535"),
              std::string::npos);
    untouched();
    EXPECT_NE(Refusal(document, "#FREEZE:4=3000000,8=600001;").find("more than an hour"),
              std::string::npos);
    untouched();
    EXPECT_NE(Refusal(document, "#CHANGEBPM:4=200000;").find("200000"), std::string::npos);
    untouched();

    // At 120 BPM two hours reach clock 691 200; an hour's stop halves that.
    const std::string chart = "#SINGLE:BASIC:1:" + std::string(400000 / 24, '0') + "2;";
    const std::string stop = "#FREEZE:0=3600000;";
    EXPECT_NE(Refusal(document, "#BPM:120;" + stop + chart).find("through its tempo changes"),
              std::string::npos);
    untouched();
    EXPECT_EQ(Refusal(document, "#BPM:120;" + chart), "");
    EXPECT_EQ(Refusal(document, "#BPM:120;#FREEZE:0=1800000;" + chart), "");
    EXPECT_EQ(document.tempoMap().events(), MapOf(120.0f, {CStop{0, 1800000.0}}));
}

// Changes and freezes follow #BPM and #GAP; positions are written whole or with up to three
// decimals, a delay as a stop a clock earlier (merged with a stop there), and what a DWI
// cannot hold is left out and counted.
TEST(DwiTempoTags, WriterWritesTheMapAndCountsWhatItLeavesOut)
{
    CStepDocument document;
    document.NewDocument();
    EXPECT_TRUE(DwiOmissions(document.tempoMap()).empty());
    CTempoMap map(140.0f);
    ASSERT_TRUE(map.Add(Events{CTempoChange{48, 70.5f}, CTempoChange{1206, 200.0f}, CStop{1, 7.0},
                               CStop{5, 0.25}, CStop{96, 53.0}, CDelay{97, 2.0}, CDelay{0, 9.0},
                               CWarp{300, 12}, CWarp{600, 1}})
                    .empty());
    document.SetTempoMap(map);
    const std::string text = Text(document);
    EXPECT_NE(text.find("#GAP:0;\r\n#CHANGEBPM:4=70.500,100.5=200.000;\r\n"
                        "#FREEZE:0.083=7.000,0.417=0.250,8=55.000;\r\n#SINGLE:"),
              std::string::npos)
        << text;
    EXPECT_EQ(DwiOmissions(document.tempoMap()), (DwiExportOmissions{2, 1}));

    // Read back, the delay is the stop before it and the rest is as it was.
    CStepDocument read;
    ImportText(read, text);
    EXPECT_EQ(read.tempoMap().events(),
              MapOf(140.0f,
                    {CStop{1, 7.0}, CStop{5, 0.25}, CTempoChange{48, 70.5f}, CStop{96, 55.0},
                     CTempoChange{1206, 200.0f}}));
}

// A real chart's tags read as written, and the map survives the document file and a second
// DWI: written again, the DWI bytes are the same.
TEST(DwiTempoTags, RealChartKeepsItsMapThroughTheDocumentFileAndBack)
{
    const auto source = SharedTestData("dwi/INSERTiON.dwi");
    ZELVANE_REQUIRE_SHARED(source);
    CStepDocument document;
    ASSERT_TRUE(ImportDwi(document, source).imported);
    const CTempoMap& map = document.tempoMap();
    EXPECT_EQ(document.tempoMap().songBpm(), 139.5f);
    // 45 changes (none restating the tempo before it) and one freeze.
    ASSERT_EQ(map.events().size(), 1u + 45u + 1u);
    // "384=129" and "384=1375": clock 4608, the change before the stop there.
    EXPECT_EQ(map.events()[1], CTempoEvent(CTempoChange{4608, 129.0f}));
    EXPECT_EQ(map.events()[2], CTempoEvent(CStop{4608, 1375.0}));
    EXPECT_EQ(map.events()[3], CTempoEvent(CTempoChange{4656, 110.0f}));
    EXPECT_EQ(map.events()[34], CTempoEvent(CTempoChange{6144, 139.5f}));     // "512=139.5"
    EXPECT_EQ(map.events().back(), CTempoEvent(CTempoChange{10560, 225.0f})); // "880=225"

    TempFolder folder;
    const auto zlvm = folder / "song.zlvm";
    document.SaveDocument(zlvm);
    CStepDocument reopened;
    reopened.OpenDocument(zlvm);
    EXPECT_EQ(reopened.tempoMap(), map);
    const auto written = folder / "again.dwi";
    EXPECT_TRUE(WriteDwi(reopened, written).empty());
    CStepDocument reread;
    ASSERT_TRUE(ImportDwi(reread, written).imported);
    EXPECT_EQ(reread.tempoMap(), map);
    EXPECT_EQ(DwiBytes(reread, written), ReadWholeFile(written, kMaxChartFileBytes));
    EXPECT_EQ(SortedNotesOf(*reread.scores().front()), SortedNotesOf(*document.scores().front()));
}
