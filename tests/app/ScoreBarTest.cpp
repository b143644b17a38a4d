#include "score/ScoreBar.h"
#include "app/AppTestSupport.h"
#include "chart/ChartTestSupport.h"
#include "chart/StepDocument.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"

#include <QComboBox>
#include <QTest>

namespace zelvane {
namespace {

QStringList Items(QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

TEST(AppScoreBar, LevelsListTheStandardNamesThenOtherNamesOfTheDocument)
{
    CStepDocument document;
    document.NewDocument();
    document.FindOrCreateScore(Style::COUPLE, "EXTRA");
    CScore* prefix = document.FindOrCreateScore(Style::DOUBLE, "bas");
    document.FindOrCreateScore(Style::SINGLE, "extra"); // found as EXTRA, not added again
    CScorePane pane(&document);
    CScoreBar* bar = pane.scoreBar();
    EXPECT_EQ(Items(bar->modeList()), (QStringList{"SINGLE", "DOUBLE", "COUPLE"}));
    EXPECT_EQ(Items(bar->levelList()),
              (QStringList{"BASIC", "ANOTHER", "MANIAC", "SMANIAC", "EXTRA"}));

    // A name that begins a listed one shows as that item.
    document.SetCurrentScore(prefix);
    bar->Fill(&document);
    EXPECT_EQ(bar->modeList()->currentText(), QStringLiteral("DOUBLE"));
    EXPECT_EQ(bar->levelList()->currentText(), QStringLiteral("BASIC"));
}

TEST(AppScoreBar, ChoosingAMissingCombinationCreatesItOnlyWhileSwitchingIsOn)
{
    CStepDocument document;
    document.NewDocument();
    CScore* basic = document.currentScore();
    CScorePane pane(&document);
    pane.resize(460, 300);
    pane.show();
    ASSERT_TRUE(test::Activate(&pane));
    test::RecordingView view;
    document.AddView(&view);
    CScoreBar* bar = pane.scoreBar();

    bar->modeList()->setFocus();
    QTest::keyClick(bar->modeList(), Qt::Key_Down); // DOUBLE
    bar->levelList()->setFocus();
    QTest::keyClick(bar->levelList(), Qt::Key_Down); // ANOTHER
    QTest::keyClick(bar->levelList(), Qt::Key_Down); // MANIAC

    CScore* maniac = document.FindScore(Style::DOUBLE, "MANIAC");
    ASSERT_NE(maniac, nullptr);
    EXPECT_EQ(document.currentScore(), maniac);
    EXPECT_EQ(maniac->panelCount(), 8);
    EXPECT_EQ(document.scores().size(), 4u); // SINGLE BASIC, DOUBLE BASIC, ANOTHER, MANIAC
    ASSERT_GE(view.updates.size(), 2u);
    EXPECT_EQ(view.updates[view.updates.size() - 2].hint, UpdateHint::ScoreCreated);
    EXPECT_EQ(view.updates[view.updates.size() - 2].score, maniac);
    EXPECT_EQ(view.updates.back().hint, UpdateHint::CurrentScore);
    EXPECT_EQ(view.updates.back().score, maniac);
    // The keyboard goes on to the score once a score is chosen.
    EXPECT_TRUE(pane.scoreView()->hasFocus());

    // Going back to an existing score creates nothing.
    view.updates.clear();
    bar->modeList()->setFocus();
    QTest::keyClick(bar->modeList(), Qt::Key_Up); // SINGLE MANIAC: new
    bar->levelList()->setCurrentIndex(0);
    emit bar->levelList()->activated(0); // SINGLE BASIC: exists
    EXPECT_EQ(document.currentScore(), basic);
    EXPECT_EQ(document.scores().size(), 5u);
    EXPECT_EQ(view.updates.back().hint, UpdateHint::CurrentScore);
    EXPECT_EQ(view.updates.back().score, basic);
    document.RemoveView(&view);

    // While switching is off (during playback) the lists do not change the score.
    bar->SetSwitchingEnabled(false);
    QTest::keyClick(bar->modeList(), Qt::Key_Down);
    EXPECT_EQ(document.scores().size(), 5u);
    EXPECT_EQ(document.currentScore(), basic);
}

} // namespace
} // namespace zelvane
