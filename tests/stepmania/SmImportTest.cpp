#include "stepmania/SmImport.h"
#include "TestData.h"
#include "chart/StepDocument.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <gtest/gtest.h>

using namespace zelvane;

namespace {

// Imports text as a file of this name into a document that does not dance.
SmWarnings Import(CStepDocument& document, std::string_view text,
                  const std::string& name = "song.sm")
{
    document.SetDancing({.dancesCharts = false});
    CSmImport import(document, std::filesystem::temp_directory_path() / name, AsBytes(text));
    import.Apply();
    return import.warnings();
}

std::vector<std::string> ScoreNames(const CStepDocument& document)
{
    std::vector<std::string> names;
    for (const auto& score : document.scores())
        names.push_back(std::string(StyleName(score->style())) + " " + score->difficulty());
    return names;
}

std::vector<std::uint32_t> WarningIds(const SmWarnings& warnings)
{
    std::vector<std::uint32_t> ids;
    for (const Reason& reason : warnings.listed)
        ids.push_back(reason.id());
    return ids;
}

std::string Chart(std::string_view type, std::string_view difficulty, std::string_view notes,
                  std::string_view description = "")
{
    return "#NOTES:" + std::string(type) + ":" + std::string(description) + ":"
        + std::string(difficulty) + ":5:0,0,0,0,0:" + std::string(notes) + ";\n";
}

} // namespace

TEST(SmImport, ChartsBecomeScoresByStyleAndDifficulty)
{
    CStepDocument document;
    const std::string text = "#TITLE:T;#ARTIST:A;#OFFSET:-0.25;#BPMS:0=120,2=-60,3=120;\n"
        + Chart("dance-single", "Hard", "1000\n0100\n0010\n0001\n,\nMF00\n0000")
        + Chart("dance-double", "Challenge", "10000001\n00000000")
        + Chart("dance-single", "Edit", "0001", "first")
        + Chart("dance-single", "Edit", "0010", "Mine")
        + Chart("dance-single", "Edit", "0100", "mine") + Chart("dance-solo", "Hard", "100000")
        + Chart("pump-single", "Hard", "10000") + Chart("dance-couple", "Easy", "00001000");
    const SmWarnings warnings = Import(document, text);
    EXPECT_EQ(document.description().title, "T");
    EXPECT_EQ(document.description().gap, 250);
    EXPECT_EQ(ScoreNames(document),
              (std::vector<std::string>{"SINGLE MANIAC", "DOUBLE SMANIAC", "SINGLE EDIT",
                                        "SINGLE MINE", "SINGLE EDIT 2", "COUPLE BASIC"}));
    // Beat 2 runs back to beat 1 and catches up at beat 5: the notes of beats 2 to 4 are
    // skipped like those of any warp.
    const std::vector<CTempoEvent> map{CTempoChange{0, 120.0f}, CWarp{96, 144},
                                       CTempoChange{144, 120.0f}};
    EXPECT_EQ(document.tempoMap().events(), map);
    const CScore& maniac = *document.scores()[0];
    ASSERT_EQ(maniac.notes().size(), 2u);
    EXPECT_EQ(maniac.notes()[1]->clock, 48);
    EXPECT_EQ(document.scores()[5]->notes()[0]->panel, 4);
    EXPECT_EQ(
        WarningIds(warnings),
        (std::vector<std::uint32_t>{IDS_REASON_SM_NOTES_LEFT_OUT, IDS_REASON_SM_NOTES_IN_WARPS,
                                    IDS_REASON_SM_OTHER_TYPES}));
    EXPECT_EQ(EnglishText(warnings.listed[2]),
              "charts of these types cannot be imported and were passed over: dance-solo, "
              "pump-single");
}

TEST(SmImport, TheSharedFilesImportAndChartsWithTimingOfTheirOwnAreLeftOut)
{
    const auto root = test::SharedTestData("sm");
    ZELVANE_REQUIRE_SHARED(root);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".sm" && extension != ".ssc")
            continue;
        ++files;
        SCOPED_TRACE(entry.path().string());
        CStepDocument document;
        document.SetDancing({.dancesCharts = false});
        CSmImport import(document, entry.path(), ReadWholeFile(entry.path(), kMaxChartFileBytes));
        import.Apply();
        EXPECT_FALSE(document.scores().front()->notes().empty());
    }
    EXPECT_EQ(files, 39u);

    const auto dysangel = root / "Club Fantastic Season 1/Dysangel/dysangel.ssc";
    CStepDocument document;
    document.SetDancing({.dancesCharts = false});
    CSmImport import(document, dysangel, ReadWholeFile(dysangel, kMaxChartFileBytes));
    import.Apply();
    // Its Challenge chart warps where the song does not; the other charts time as it does.
    EXPECT_EQ(ScoreNames(document),
              (std::vector<std::string>{"SINGLE BASIC", "SINGLE MANIAC", "SINGLE ANOTHER",
                                        "SINGLE BEGINNER", "DOUBLE SMANIAC"}));
    ASSERT_FALSE(import.warnings().empty());
    EXPECT_EQ(import.warnings().listed[0].id(), IDS_REASON_SM_OWN_TIMING);
    EXPECT_EQ(document.description().gap, 365);
    EXPECT_TRUE(document.tempoMap().IsSingleTempo());
}

TEST(SmImport, HostileFilesAreRefusedQuicklyAndLeaveTheDocument)
{
    const std::string big(50 * 1024 * 1024, '0');
    std::string measures = "#BPMS:0=120;#NOTES:dance-single::Hard:1:0:";
    for (int i = 0; i < 1'000'000; ++i)
        measures += "0000\n,";
    measures += "1000;";
    std::string tempos = "#BPMS:0=120";
    for (int i = 1; i < 100'000; ++i)
        tempos += "," + std::to_string(i) + "=" + std::to_string(100 + i % 50);
    tempos += ";" + Chart("dance-single", "Hard", "1000");
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)},
        {"no tag", "hello world"},
        {"10^6 measures, a note after two hours", measures},
        {"10^5 tempos", tempos},
        {"no tempo", Chart("dance-single", "Hard", "1000")},
        {"a gap of a day", "#OFFSET:-86400;#BPMS:0=120;" + Chart("dance-single", "Hard", "1000")},
    };
    for (const auto& entry : cases) {
        CStepDocument document;
        document.SetDancing({.dancesCharts = false});
        document.SetDescription(
            {"kept", document.description().artist, document.description().gap});
        EXPECT_THROW(CSmImport(document, "bad.sm", AsBytes(entry.text)), FileFormatError)
            << entry.name;
        EXPECT_EQ(document.description().title, "kept") << entry.name;
    }

    // 10 000 columns a line, or a line of 50 MB: the columns past the chart's are passed over.
    CStepDocument wide;
    Import(wide, "#BPMS:0=120;" + Chart("dance-single", "Hard", "1001" + std::string(10000, '1')));
    EXPECT_EQ(wide.scores().front()->notes().size(), 2u);
    CStepDocument longLine;
    Import(longLine, "#BPMS:0=120;" + Chart("dance-single", "Hard", "0100" + big));
    EXPECT_EQ(longLine.scores().front()->notes().size(), 1u);
}
