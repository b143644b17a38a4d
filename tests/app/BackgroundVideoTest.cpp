#include "AviHeader.h"
#include "app/AppTestSupport.h"
#include "app/AviCodecDialog.h"
#include "app/WaitDialog.h"

#include <QDir>

namespace zelvane {
namespace {

class AppBackgroundVideo : public test::FrameTest {
protected:
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
    EXPECT_FALSE(command()->isEnabled());   // a new document's chart has no length
    CScore& score = AddNotes({{24, 1, 0}}); // at 120 BPM, to frame 7
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
    // The encoder chosen last is offered the next time.
    CAviCodecDialog again;
    EXPECT_EQ(again.codecList()->currentData().toString(), QStringLiteral("utvideo"));
}

TEST_F(AppBackgroundVideo, StoppingClosesAPlayableFileAndFailuresAndCancelsWriteNothing)
{
    CScore& score = AddNotes({{480, 1, 0}});
    // Stopped before the first frame: a valid, empty video, and the place is remembered.
    // Quitting meanwhile is refused, so the video's temporary file is never left behind.
    const QString stopped = Path(QStringLiteral("stopped.avi"));
    std::vector<std::shared_ptr<bool>> answers
        = {test::Prompts().AnswerFile(stopped), ChooseCodec(QStringLiteral("rawvideo"))};
    bool quitRefused = false;
    QMetaObject::Connection stopAtOnce
        = QObject::connect(frame.get(), &CMainFrame::backgroundVideoStarted,
                           [this, &quitRefused](CWaitDialog* dialog) {
                               quitRefused = !frame->close();
                               QTest::mouseClick(dialog->abortButton(), Qt::LeftButton);
                           });
    command()->trigger();
    QObject::disconnect(stopAtOnce);
    EXPECT_TRUE(quitRefused);
    EXPECT_LT(test::AviTotalFrames(stopped.toStdString()), 301u);
    EXPECT_EQ(score.aviPath(), stopped.toStdString());
    EXPECT_TRUE(frame->isEnabled());
    const QStringList onlyTheVideo = {QStringLiteral("stopped.avi")};
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), onlyTheVideo);

    // A folder that is not there: the program's own message, the reason on a line below.
    score.SetAviPath("");
    frame->document().SetModifiedFlag(false);
    const QString nowhere = Path(QStringLiteral("missing/video.avi"));
    answers = {test::Prompts().AnswerFile(nowhere), ChooseCodec(QStringLiteral("rawvideo"))};
    QString message;
    QString detail;
    auto reported = test::AnswerMessage({}, &message, &detail);
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
    // Neither the failure nor the cancel left a file of their own.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), onlyTheVideo);
}

} // namespace
} // namespace zelvane
