#include "app/AppTestSupport.h"
#include "app/MotionOptionDialog.h"
#include "app/PlayerDialog.h"
#include "model/PmxTestWriter.h"
#include "motion/MotionDocument.h"

#include <QCheckBox>
#include <QRadioButton>

namespace zelvane {
namespace {

using AppModelAndMotion = test::FrameTest;

// A model opens by its extension in any case and shows its comment; a file that is no model
// is reported with the reader's reason in Japanese, and the dancer stays.
TEST_F(AppModelAndMotion, AModelShowsItsCommentAndAFileThatIsNoModelIsRefused)
{
    const QString model = Path(QStringLiteral("Dancer.PMD"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZELVANE_MANNEQUIN), model));
    QString shown;
    QString detail;
    auto informed = test::AnswerMessage({}, &shown, &detail);
    ASSERT_TRUE(frame->OpenFile(model));
    ASSERT_TRUE(*informed);
    const CModelDocument* mannequin = frame->document().model().document.get();
    ASSERT_NE(mannequin, nullptr);
    EXPECT_EQ(shown.toStdString(), mannequin->comment);
    EXPECT_TRUE(frame->document().IsModified());

    const QString junk = Path(QStringLiteral("junk.pmd"));
    test::WriteBytes(junk, QByteArray("no model here"));
    auto refused = test::AnswerMessage({}, &shown, &detail);
    frame->OpenFile(junk);
    ASSERT_TRUE(*refused);
    EXPECT_TRUE(shown.contains(QStringLiteral("junk.pmd")));
    EXPECT_TRUE(shown.endsWith(LoadQString(IDS_ERROR_FILE_FORMAT))) << shown.toStdString();
    EXPECT_TRUE(detail.startsWith(QStringLiteral("PMDモデルではありません。")))
        << detail.toStdString();
    EXPECT_EQ(frame->document().model().document.get(), mannequin);
    EXPECT_EQ(frame->document().model().path, model.toStdString());
}

// A PMX model without some of the standard bones the dance moves names those below its
// comment, in the dance's order, and none of the bones it has.
TEST_F(AppModelAndMotion, AModelLackingStandardBonesNamesThemBelowItsComment)
{
    PmxFile file;
    file.header.encoding = 1;
    file.name = "骨少";
    file.comment = "試しのモデル";
    PmxVertex vertex;
    vertex.bones = {0, -1, -1, -1};
    vertex.weights = {1, 0, 0, 0};
    file.vertices = {vertex, vertex, vertex};
    file.indices = {0, 1, 2};
    file.materials.emplace_back().indexCount = 3;
    for (const char* name : {"センター", "上半身", "左足", "右足ＩＫ"}) {
        PmxBone& bone = file.bones.emplace_back();
        bone.name = name;
        bone.parent = file.bones.size() > 1 ? 0 : -1;
        bone.flags = PmxBone::kRotatable | PmxBone::kTranslatable;
    }
    const QString path = Path(QStringLiteral("few.pmx"));
    WriteFileAtomically(path.toStdString(), test::PmxTestWriter(file).Write());

    QString shown;
    auto informed = test::AnswerMessage({}, &shown);
    ASSERT_TRUE(frame->OpenFile(path));
    ASSERT_TRUE(*informed);
    ASSERT_NE(frame->document().model().document.get(), nullptr);
    const QStringList parts = shown.split(QStringLiteral("\n\n"));
    ASSERT_EQ(parts.size(), 2) << shown.toStdString();
    EXPECT_EQ(parts[0], QStringLiteral("試しのモデル"));
    EXPECT_EQ(parts[1], FormatQString(IDS_MODEL_MISSING_BONES, {"左足ＩＫ、首、左つま先ＩＫ"}));
    EXPECT_FALSE(parts[1].contains(QStringLiteral("センター")));
}

// The dialog starts from the document's options (a new one twists and suppresses turns, the
// turn box reading the other way round) and refuses a panel size not above zero. The foot
// assignment is the user's setting, kept by a new window and document; every dancer dances
// anew with it.
TEST_F(AppModelAndMotion, MotionOptionsComeFromTheDialogAndTheFeetAreTheUsersSetting)
{
    CStepDocument& document = frame->document();
    auto answered = test::Prompts().Answer<CMotionOptionDialog>([](CMotionOptionDialog& dialog) {
        EXPECT_TRUE(dialog.twistBox()->isChecked());
        EXPECT_TRUE(dialog.suppressTurnBox()->isChecked());
        EXPECT_TRUE(dialog.greedyFeetButton()->isChecked());
        for (const char* text : {"0", "-1", "", "x"}) {
            test::Retype(dialog.panelSizeEdit(), QString::fromLatin1(text));
            EXPECT_FALSE(dialog.okButton()->isEnabled()) << text;
        }
        test::Retype(dialog.panelSizeEdit(), QStringLiteral("0.5"));
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        for (QCheckBox* box : {dialog.suppressTurnBox(), dialog.twistBox()}) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Space);
        }
        dialog.optimalFeetButton()->click();
        EXPECT_FALSE(dialog.greedyFeetButton()->isChecked());
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    frame->action(ID_FILE_MOTION_SETTINGS)->trigger();
    ASSERT_TRUE(*answered);
    EXPECT_EQ(document.motionOptions().panelSize, 0.5f);
    EXPECT_FALSE(document.motionOptions().twist);
    EXPECT_TRUE(document.motionOptions().turnEnabled);
    EXPECT_EQ(document.dancing().feet, FootAssignment::OPTIMAL);
    document.scores().WaitAll();
    ASSERT_NE(document.scores().current(), nullptr);
    for (const auto& player : document.scores().current()->players())
        EXPECT_EQ(player->generator().parameters().feet, FootAssignment::OPTIMAL);

    CMainFrame second;
    EXPECT_EQ(second.document().dancing().feet, FootAssignment::OPTIMAL);
    second.document().NewDocument();
    EXPECT_EQ(second.document().dancing().feet, FootAssignment::OPTIMAL);
    // Only 1 means the whole-chart assignment.
    for (const QVariant& stored : {QVariant(0), QVariant(2), QVariant(QStringLiteral("x"))}) {
        test::Stored().setValue(QStringLiteral("Workspace/FootAssignment"), stored);
        EXPECT_EQ(Settings::ReadFootAssignment(), FootAssignment::GREEDY);
    }
}

// Without a model the motion is written for the default one, named after the chart (the
// names themselves are the chart suite's). A COUPLE score asks first which dancer's.
TEST_F(AppModelAndMotion, AMotionIsWrittenWhereTheUserChoosesForTheDancerChosen)
{
    AddNotes({{0, 0, 0}, {48, 1, 0}, {96, 2, 0}, {144, 3, 0}});
    const QString path = Path(QStringLiteral("dance.vmd"));
    QString proposed;
    auto chosen = test::Prompts().AnswerFile(path, &proposed);
    frame->action(ID_FILE_CREATE_MOTION)->trigger();
    ASSERT_TRUE(*chosen);
    EXPECT_EQ(proposed, QStringLiteral("_SINGLE_BASIC.vmd"));
    CMotionDocument motion;
    motion.Load(path.toStdString());
    EXPECT_GT(motion.BoneKeyCount(), 0u);
    EXPECT_EQ(motion.modelName, "初音ミク");
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("MotionDirectory")), folder.path() + "/");

    AddNotes({{0, 0, 0}, {48, 5, 0}}, Style::COUPLE); // a note for each dancer
    auto cancelled = test::Prompts().Answer<CPlayerDialog>([](CPlayerDialog& dialog) {
        EXPECT_TRUE(dialog.firstButton()->isChecked());
        dialog.reject();
    });
    frame->action(ID_FILE_CREATE_MOTION)->trigger(); // no file dialog follows
    EXPECT_TRUE(*cancelled);

    const QString second = Path(QStringLiteral("two.vmd"));
    auto answered = test::Prompts().Answer<CPlayerDialog>([&](CPlayerDialog& dialog) {
        dialog.secondButton()->click();
        chosen = test::Prompts().AnswerFile(second, &proposed);
        dialog.accept();
    });
    frame->action(ID_FILE_CREATE_MOTION)->trigger();
    ASSERT_TRUE(*answered && *chosen);
    EXPECT_EQ(proposed, QStringLiteral("_COUPLE_BASIC_2P.vmd"));
    EXPECT_EQ(frame->document().scores().current()->players().at(1)->motionPath(),
              second.toStdString());
    EXPECT_TRUE(QFileInfo::exists(second));
}

} // namespace
} // namespace zelvane
