#include "app/AppTestSupport.h"
#include "app/Application.h"
#include "chart/ZlvmFile.h"
#include "chart/commands/SongPropertyCommand.h"
#include "text/FileIo.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace zelvane {
namespace {

void Retitle(CStepDocument& document, const std::string& title)
{
    document.Execute(
        std::make_unique<CSongPropertyCommand>(&document, SongProperties{title, "", 140.0f, 0}),
        nullptr);
}

TEST(AppRecovery, ACrashedRunsChangesAreOfferedBackAndACleanEndLeavesNothing)
{
    test::ClearSettings();
    QTemporaryDir folder;
    ZlvmDocumentData data;
    data.title = "Saved";
    const QString path = folder.filePath(QStringLiteral("song.zlvm"));
    WriteFileAtomically(path.toStdString(), WriteZlvm(data));
    const std::vector<std::uint8_t> saved = ReadWholeFile(path.toStdString());
    QString copy;
    {
        CZelvane program(test::Application());
        CMainFrame& frame = program.Start({path});
        ASSERT_TRUE(frame.recovery().active());
        copy = frame.recovery().copyPath();
        // Unmodified: nothing to keep.
        EXPECT_TRUE(frame.recovery().Save());
        EXPECT_FALSE(QFile::exists(copy));
        Retitle(frame.document(), "Unsaved work");
        ASSERT_TRUE(frame.recovery().Save());
        EXPECT_TRUE(QFile::exists(copy));
        // The user's own file is never written by the copy.
        EXPECT_EQ(ReadWholeFile(path.toStdString()), saved);
        // The program ends here without closing its window, as a crash would.
    }

    QString question;
    auto offered = test::AnswerMessage(QStringLiteral("復元"), &question);
    {
        CZelvane program(test::Application());
        CMainFrame& frame = program.Start({});
        ASSERT_TRUE(*offered);
        EXPECT_TRUE(question.contains(QStringLiteral("復元")));
        EXPECT_EQ(frame.document().title(), "Unsaved work");
        EXPECT_TRUE(frame.document().IsModified());
        EXPECT_EQ(frame.windowTitle(), QStringLiteral("song.zlvm - Zelvane"));
        // A clean end, the changes thrown away when asked: no copy is left.
        auto discarded = test::AnswerMessage(QStringLiteral("いいえ(&N)"));
        EXPECT_TRUE(frame.close());
        EXPECT_TRUE(*discarded);
        EXPECT_FALSE(QFile::exists(copy));
    }
    EXPECT_EQ(ReadWholeFile(path.toStdString()), saved);
}

TEST(AppRecovery, DecliningDropsTheCopyAndASecondWindowKeepsNone)
{
    test::ClearSettings();
    {
        CZelvane program(test::Application());
        CMainFrame& frame = program.Start({});
        Retitle(frame.document(), "Crashed");
        ASSERT_TRUE(frame.recovery().Save());
    }
    auto declined = test::AnswerMessage(QStringLiteral("破棄"));
    CZelvane program(test::Application());
    CMainFrame& frame = program.Start({});
    ASSERT_TRUE(*declined);
    EXPECT_EQ(frame.document().title(), "");
    EXPECT_FALSE(QFile::exists(frame.recovery().copyPath()));

    // Another window of the program running at the same time leaves the copy to the first.
    CMainFrame second;
    EXPECT_FALSE(second.recovery().active());
    Retitle(second.document(), "Second");
    EXPECT_FALSE(second.recovery().Save());
    EXPECT_FALSE(QFile::exists(frame.recovery().copyPath()));
}

} // namespace
} // namespace zelvane
