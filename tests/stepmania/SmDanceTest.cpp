#include "TestData.h"
#include "motion/FeetOnTime.h"
#include "stepmania/SmImport.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

using namespace zelvane;

// The players' charts change tempo, stop, hold and roll: the hardest SINGLE chart of each one
// that changes tempo or stops lands every note on its panel when the song plays it, read back
// from its motion file. (A song of one tempo dances as DWI charts always have; two of those
// charts hold steps a frame apart, or freezes of a clock or two, that the dance takes in its
// own way whatever the map.)
TEST(SmDance, TheHardestSingleChartOfEverySharedFileLandsOnTime)
{
    const auto root = test::SharedTestData("sm");
    ZELVANE_REQUIRE_SHARED(root);
    std::size_t mapped = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".sm" && extension != ".ssc")
            continue;
        CStepDocument document;
        document.SetDancing({.dancesCharts = false});
        CSmImport(document, entry.path(), ReadWholeFile(entry.path(), kMaxChartFileBytes)).Apply();
        if (document.tempoMap().IsSingleTempo())
            continue;
        ++mapped;
        test::ExpectHardestSingleLandsOnTime(document, entry.path().filename().string());
    }
    // The shared files' README counts 16 with tempo changes and 7 with stops.
    EXPECT_GE(mapped, 16u);
}
