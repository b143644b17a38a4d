#include "ChartTestSupport.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

// A style and difficulty name one score; deleting the current one makes the first current,
// deleting one of another document changes nothing, and deleting all leaves none current.
TEST(ScoreList, FindsCreatesAndDeletesScoresKeepingACurrentOne)
{
    CStepDocument document;
    CStepDocument other;
    CScoreList& scores = document.scores();
    CScore* basic = scores.FindOrCreate(Style::SINGLE, "BASIC");
    CScore* maniac = scores.FindOrCreate(Style::DOUBLE, "MANIAC");
    EXPECT_EQ(scores.FindOrCreate(Style::SINGLE, "BASIC"), basic);
    EXPECT_EQ(scores.Find(Style::DOUBLE, "MANIAC"), maniac);
    EXPECT_EQ(scores.Find(Style::SINGLE, "MANIAC"), nullptr);
    EXPECT_EQ(scores.Find(Style::DOUBLE, "maniac"), nullptr); // the exact difficulty
    ASSERT_EQ(scores.size(), 2u);
    EXPECT_EQ(maniac->document(), &document);

    scores.SetCurrent(maniac);
    CScore* stranger = other.scores().FindOrCreate(Style::DOUBLE, "MANIAC");
    EXPECT_THROW(scores.Delete(stranger), InvalidArgumentError);
    EXPECT_EQ(scores.size(), 2u);
    EXPECT_EQ(scores.current(), maniac);

    scores.Delete(maniac);
    ASSERT_EQ(scores.size(), 1u);
    EXPECT_EQ(scores.current(), basic);
    EXPECT_EQ(scores[0].get(), basic);

    scores.DeleteAll();
    EXPECT_TRUE(scores.empty());
    EXPECT_EQ(scores.current(), nullptr);
}
