#include "AviHeader.h"
#include "app/AppTestSupport.h"
#include "app/AviCodecDialog.h"
#include "app/Settings.h"
#include "app/WaitDialog.h"
#include "qtcommon/CommandIds.h"

#include <QAction>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>

namespace zelvane {
namespace {

class AppBackgroundVideo : public test::FrameTest {
protected:
    // A SINGLE chart of `clocks` at 120 BPM: the video holds frames 0 to clocks x 5 / 16.
    CScore& AddChart(std::int32_t clocks)
    {
        CStepDocument& document = frame->document();
        document.SetBpm(120.0f);
        CScore& score = *document.currentScore();
        score.InsertNote(std::make_unique<CNote>(CNote{clocks, 1, 0}));
        score.UpdateLength(0);
        frame->UpdateCommandStates();
        return score;
    }

    std::shared_ptr<bool> ChooseCodec(const QString& name)
    {
        return test::Prompts().Answer<CAviCodecDialog>([name](CAviCodecDialog& dialog) {
            QComboBox* codecs = dialog.codecList();
            codecs->setCurrentIndex(codecs->findData(name));
            dialog.accept();
        });
    }

    QAction* command() const { return frame->action(ID_FILE_BACKGROUND_AVI); }
};

TEST_F(AppBackgroundVideo, TheVideoIsWrittenWithTheChosenEncoderAndItsPlaceRemembered)
{
    EXPECT_FALSE(command()->isEnabled()); // a new document's chart has no length
    CScore& score = AddChart(24);
    ASSERT_TRUE(command()->isEnabled());

    const QString path = Path(QStringLiteral("video.avi"));
    QString proposed;
    auto chosen = test::Prompts().AnswerFile(path, &proposed);
    auto compressed = ChooseCodec(QStringLiteral("utvideo"));
    bool disabledWhileWriting = false;
    QObject::connect(frame.get(), &CMainFrame::backgroundVideoStarted,
                     [this, &disabledWhileWriting](CWaitDialog* dialog) {
                         disabledWhileWriting = !frame->isEnabled() && dialog->isVisible()
                             && dialog->windowTitle() == QStringLiteral("AVIファイル作成中");
                     });
    command()->trigger();
    ASSERT_TRUE(*chosen && *compressed);
    EXPECT_EQ(proposed, QStringLiteral("_SINGLE_BASIC.avi"));
    EXPECT_TRUE(disabledWhileWriting);
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_EQ(test::AviTotalFrames(path.toStdString()), 8u);
    EXPECT_EQ(score.aviPath(), path.toStdString());
    EXPECT_TRUE(frame->document().IsModified());
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("AVIDirectory")), folder.path() + "/");
    EXPECT_EQ(CAviCodecDialog::RememberedOptions().codec, "utvideo");

    // The encoder chosen last is offered the next time.
    CAviCodecDialog again;
    EXPECT_EQ(again.codecList()->currentData().toString(), QStringLiteral("utvideo"));
}

TEST_F(AppBackgroundVideo, StoppingClosesAPlayableFileAndFailuresAndCancelsWriteNothing)
{
    CScore& score = AddChart(480);
    // Stopped before the first frame: a valid, empty video, and the place is remembered.
    const QString stopped = Path(QStringLiteral("stopped.avi"));
    std::vector<std::shared_ptr<bool>> answers
        = {test::Prompts().AnswerFile(stopped), ChooseCodec(QStringLiteral("rawvideo"))};
    QMetaObject::Connection stopAtOnce = QObject::connect(
        frame.get(), &CMainFrame::backgroundVideoStarted,
        [](CWaitDialog* dialog) { QTest::mouseClick(dialog->abortButton(), Qt::LeftButton); });
    command()->trigger();
    QObject::disconnect(stopAtOnce);
    EXPECT_TRUE(QFileInfo::exists(stopped));
    EXPECT_LT(test::AviTotalFrames(stopped.toStdString()), 301u);
    EXPECT_EQ(score.aviPath(), stopped.toStdString());
    EXPECT_TRUE(frame->isEnabled());

    // A folder that is not there: the program's own message, the reason on a line below.
    score.SetAviPath("");
    frame->document().SetModifiedFlag(false);
    const QString nowhere = Path(QStringLiteral("missing/video.avi"));
    answers = {test::Prompts().AnswerFile(nowhere), ChooseCodec(QStringLiteral("rawvideo"))};
    QString message;
    QString detail;
    auto reported = test::Prompts().Answer<QMessageBox>([&](QMessageBox& box) {
        message = box.text();
        detail = box.informativeText();
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        box.buttons().value(0)->click();
    });
    command()->trigger();
    ASSERT_TRUE(*reported);
    EXPECT_EQ(message, QStringLiteral("AVIファイルを作成できません"));
    EXPECT_FALSE(detail.isEmpty());
    EXPECT_TRUE(score.aviPath().empty());
    EXPECT_FALSE(frame->document().IsModified());

    // Cancelling the encoder choice writes nothing and shows no progress.
    const QString cancelled = Path(QStringLiteral("cancelled.avi"));
    auto named = test::Prompts().AnswerFile(cancelled);
    auto declined
        = test::Prompts().Answer<CAviCodecDialog>([](CAviCodecDialog& dialog) { dialog.reject(); });
    bool started = false;
    QObject::connect(frame.get(), &CMainFrame::backgroundVideoStarted,
                     [&started](CWaitDialog*) { started = true; });
    command()->trigger();
    EXPECT_TRUE(*declined);
    EXPECT_FALSE(started);
    EXPECT_FALSE(QFileInfo::exists(cancelled));
}

} // namespace
} // namespace zelvane
