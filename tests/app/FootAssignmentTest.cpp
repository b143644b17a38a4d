#include "app/AppTestSupport.h"
#include "app/MainFrame.h"
#include "app/MotionOptionDialog.h"
#include "app/Settings.h"
#include "qtcommon/CommandIds.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

namespace zelvane {
namespace {

class AppFootAssignment : public test::FrameTest {
protected:
    static QSettings Stored()
    {
        return QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"));
    }
};

TEST_F(AppFootAssignment, TheChoiceIsTheUsersSettingAndTheDanceFollowsIt)
{
    CStepDocument& document = frame->document();
    EXPECT_EQ(document.footAssignment(), FootAssignment::GREEDY);
    auto answered = test::Prompts().Answer<CMotionOptionDialog>([](CMotionOptionDialog& dialog) {
        EXPECT_TRUE(dialog.greedyFeetButton()->isChecked());
        dialog.optimalFeetButton()->click();
        EXPECT_FALSE(dialog.greedyFeetButton()->isChecked());
        dialog.okButton()->click();
    });
    frame->action(ID_FILE_MOTION_SETTINGS)->trigger();
    ASSERT_TRUE(*answered);
    EXPECT_EQ(document.footAssignment(), FootAssignment::OPTIMAL);
    EXPECT_EQ(Stored().value(QStringLiteral("Workspace/FootAssignment")).toInt(), 1);

    // Every dancer dances anew with the choice.
    document.WaitAllPlayers();
    ASSERT_NE(document.currentScore(), nullptr);
    for (const auto& player : document.currentScore()->players())
        EXPECT_EQ(player->generator().parameters().feet, FootAssignment::OPTIMAL);

    // A new window and a new document keep it; only 1 means the whole-chart assignment.
    CMainFrame second;
    EXPECT_EQ(second.document().footAssignment(), FootAssignment::OPTIMAL);
    second.document().NewDocument();
    EXPECT_EQ(second.document().footAssignment(), FootAssignment::OPTIMAL);
    for (const QVariant& stored : {QVariant(0), QVariant(2), QVariant(QStringLiteral("x"))}) {
        Stored().setValue(QStringLiteral("Workspace/FootAssignment"), stored);
        EXPECT_EQ(Settings::ReadFootAssignment(), FootAssignment::GREEDY);
    }
}

} // namespace
} // namespace zelvane
