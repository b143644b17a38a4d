#include "stepmania/SmWriter.h"
#include "TestData.h"
#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"
#include "stepmania/SmImport.h"
#include "text/Encoding.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <gtest/gtest.h>

using namespace zelvane;

namespace {

using Chart = std::tuple<std::string, std::string, std::int32_t, std::vector<CNote>>;

std::vector<Chart> Charts(const CStepDocument& document)
{
    std::vector<Chart> charts;
    for (const auto& score : document.scores()) {
        std::vector<CNote> notes;
        for (const auto& note : score->notes())
            notes.push_back(*note);
        std::sort(notes.begin(), notes.end(), [](const CNote& a, const CNote& b) {
            return std::pair(a.clock, a.panel) < std::pair(b.clock, b.panel);
        });
        charts.emplace_back(std::string(StyleName(score->style())), score->difficulty(),
                            score->meter(), notes);
    }
    return charts;
}

// Writes the document as `name` and imports what was written into a new document.
void RoundTrip(const CStepDocument& document, const std::string& name, CStepDocument& back,
               SmWritten* written = nullptr)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    SmWritten text = WriteSmText(document, path);
    back.SetDancing({.dancesCharts = false});
    CSmImport import(back, path, AsBytes(text.text));
    import.Apply();
    if (written)
        *written = std::move(text);
}

} // namespace

TEST(SmWriter, WhatIsWrittenReadsBackWithItsMapFreezesAndMeters)
{
    CStepDocument document;
    document.SetDancing({.dancesCharts = false});
    document.NewDocument();
    document.SetDescription({"Title; with: marks", "", -1234});
    CTempoMap tempo(133.33f);
    ASSERT_TRUE(tempo
                    .Add(std::vector<CTempoEvent>{CTempoChange{200, 46.6667f}, CStop{96, 53.0},
                                                  CDelay{384, 100.125}, CWarp{500, 30}})
                    .empty());
    document.SetTempoMap(tempo);
    CScore* single = document.scores().front().get();
    single->SetMeter(7);
    for (const CNote& note :
         {CNote{0, 0, 0}, CNote{7, 3, 41}, CNote{48, 1, 0}, CNote{400, 2, 0}, CNote{1000, 0, 0}})
        single->AppendNote(std::make_unique<CNote>(note));
    CScore* edit = document.scores().FindOrCreate(Style::DOUBLE, "EDIT");
    edit->AppendNote(std::make_unique<CNote>(CNote{96, 7, 192}));

    CStepDocument ssc;
    RoundTrip(document, "round.ssc", ssc);
    EXPECT_EQ(ssc.description().title, document.description().title);
    EXPECT_EQ(ssc.description().gap, -1234);
    EXPECT_EQ(ssc.tempoMap(), tempo);
    EXPECT_EQ(Charts(ssc), Charts(document));

    // An .sm has no warps: they are left out, said once, and the notes stay.
    CStepDocument sm;
    SmWritten written;
    RoundTrip(document, "round.sm", sm, &written);
    ASSERT_EQ(written.leftOut.size(), 1u);
    EXPECT_EQ(written.leftOut[0].id(), IDS_REASON_SM_WARPS_LEFT_OUT);
    EXPECT_EQ(sm.tempoMap().events().size(), tempo.events().size() - 1);
    EXPECT_EQ(Charts(sm), Charts(document));

    // Each measure has the fewest rows that hold its notes: clock 7 needs 192; the note at
    // 400, 16 into its measure, needs 12; the one at 1000, 40 into its measure, needs 24.
    const std::string& text = written.text;
    std::vector<std::size_t> rows{0};
    std::size_t line = text.find("0.000:\n", text.find("#NOTES:")) + 7;
    while (text[line] != ';') {
        const std::size_t end = text.find('\n', line);
        if (text[line] == ',')
            rows.push_back(0);
        else
            ++rows.back();
        line = end + 1;
    }
    EXPECT_EQ(rows, (std::vector<std::size_t>{192, 4, 12, 4, 4, 24}));
}

TEST(SmWriter, SharedChartsAndDwiChartsSurviveTheRoundTrip)
{
    const auto ants = test::SharedTestData("sm/Bhop Ball/[T07] Ants (No CMOD)/02 Ants.sm");
    const auto dwi = test::SharedTestData("dwi/DIVE.dwi");
    ZELVANE_REQUIRE_SHARED(ants);
    CStepDocument read;
    read.SetDancing({.dancesCharts = false});
    CSmImport(read, ants, ReadWholeFile(ants, kMaxChartFileBytes)).Apply();
    for (const char* name : {"ants.sm", "ants.ssc"}) {
        CStepDocument back;
        RoundTrip(read, name, back);
        EXPECT_EQ(back.tempoMap(), read.tempoMap()) << name;
        EXPECT_EQ(Charts(back), Charts(read)) << name;
    }

    ZELVANE_REQUIRE_SHARED(dwi);
    CStepDocument fromDwi;
    fromDwi.SetDancing({.dancesCharts = false});
    ImportDwiBytes(fromDwi, dwi, ReadWholeFile(dwi, kMaxChartFileBytes));
    CStepDocument back;
    RoundTrip(fromDwi, "dive.sm", back);
    EXPECT_EQ(Charts(back), Charts(fromDwi));
}
