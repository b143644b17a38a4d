#include "app/AppTestSupport.h"
#include "app/PlayerDialog.h"
#include "app/Settings.h"
#include "motion/MotionDocument.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

namespace zelvane {
namespace {

class AppModelAndMotion : public test::FrameTest {
protected:
    // Answers the next file dialog with `path`, noting the file name it proposed.
    std::shared_ptr<bool> ChooseFile(const QString& path, QString* proposed = nullptr)
    {
        return test::Prompts().AnswerFile(path, proposed);
    }

    CScore& AddNotes(Style style)
    {
        CStepDocument& document = frame->document();
        CScore* score = document.FindOrCreateScore(style, "BASIC");
        for (int i = 0; i < 8; ++i)
            score->InsertNote(std::make_unique<CNote>(CNote{i * 48, i % score->panelCount(), 0}));
        score->UpdateLength(0);
        document.SetCurrentScore(score);
        return *score;
    }
};

TEST_F(AppModelAndMotion, AModelShowsItsCommentAndSetsTheDancersMeasurements)
{
    QString shown;
    auto informed = test::Prompts().Answer<QMessageBox>([&shown](QMessageBox& box) {
        shown = box.text();
        box.buttons().value(0)->click();
    });
    ASSERT_TRUE(frame->OpenFile(QStringLiteral(ZELVANE_MANNEQUIN)));
    ASSERT_TRUE(*informed);
    const CModelDocument* mannequin = frame->document().model();
    ASSERT_NE(mannequin, nullptr);
    EXPECT_EQ(shown.toStdString(), mannequin->comment);
    EXPECT_TRUE(frame->document().IsModified());

    // A file that is no model is reported, and the dancer stays the mannequin.
    const QString junk = folder.filePath(QStringLiteral("junk.pmd"));
    test::WriteBytes(junk, QByteArray("no model here"));
    QString detail;
    auto refused = test::Prompts().Answer<QMessageBox>([&](QMessageBox& box) {
        shown = box.text();
        detail = box.informativeText();
        box.buttons().value(0)->click();
    });
    frame->OpenFile(junk);
    ASSERT_TRUE(*refused);
    EXPECT_TRUE(shown.contains(QStringLiteral("junk.pmd")));
    EXPECT_TRUE(shown.endsWith(LoadQString(IDS_ERROR_FILE_FORMAT))) << shown.toStdString();
    EXPECT_TRUE(detail.startsWith(QStringLiteral("not a PMD model"))) << detail.toStdString();
    EXPECT_EQ(frame->document().model(), mannequin);
    EXPECT_EQ(frame->document().modelPath(), std::string(ZELVANE_MANNEQUIN));
}

TEST_F(AppModelAndMotion, AMotionIsWrittenWhereTheUserChoosesAndTheFolderIsRemembered)
{
    AddNotes(Style::SINGLE);
    const QString path = folder.filePath(QStringLiteral("dance.vmd"));
    QString proposed;
    auto chosen = ChooseFile(path, &proposed);
    frame->action(ID_FILE_CREATE_MOTION)->trigger();
    ASSERT_TRUE(*chosen);
    // A document without a file proposes a name that starts with the underscore.
    EXPECT_EQ(proposed, QStringLiteral("_SINGLE_BASIC.vmd"));
    CMotionDocument motion;
    motion.Load(path.toStdString());
    EXPECT_GT(motion.BoneKeyCount(), 0u);
    EXPECT_EQ(motion.modelName, "初音ミク");
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("MotionDirectory")), folder.path() + "/");
}

TEST_F(AppModelAndMotion, ACoupleScoreAsksForTheDancerAndCancelWritesNothing)
{
    AddNotes(Style::COUPLE);
    auto cancelled = test::Prompts().Answer<CPlayerDialog>([](CPlayerDialog& dialog) {
        EXPECT_TRUE(dialog.firstButton()->isChecked());
        dialog.reject();
    });
    std::shared_ptr<bool> noFileDialog = ChooseFile(folder.filePath(QStringLiteral("x.vmd")));
    frame->action(ID_FILE_CREATE_MOTION)->trigger();
    EXPECT_TRUE(*cancelled);
    EXPECT_FALSE(*noFileDialog);
    noFileDialog.reset();

    QString proposed;
    std::shared_ptr<bool> chosen;
    auto second = test::Prompts().Answer<CPlayerDialog>([&](CPlayerDialog& dialog) {
        dialog.secondButton()->click();
        chosen = ChooseFile(folder.filePath(QStringLiteral("two.vmd")), &proposed);
        dialog.accept();
    });
    frame->action(ID_FILE_CREATE_MOTION)->trigger();
    ASSERT_TRUE(*second);
    ASSERT_TRUE(chosen && *chosen);
    EXPECT_EQ(proposed, QStringLiteral("_COUPLE_BASIC_2P.vmd"));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("two.vmd"))));
    EXPECT_EQ(frame->document().currentScore()->players().at(1)->motionPath(),
              folder.filePath(QStringLiteral("two.vmd")).toStdString());
}

} // namespace
} // namespace zelvane
