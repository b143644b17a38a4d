#include "app/Application.h"
#include "app/AppTestSupport.h"
#include "chart/ZlvmFile.h"
#include "chart/commands/SongPropertyCommand.h"
#include "text/FileIo.h"

namespace zelvane {
namespace {

void Retitle(CStepDocument& document, const std::string& title)
{
    document.Execute(
        std::make_unique<CSongPropertyCommand>(&document, SongProperties{title, "", 140.0f, 0}),
        nullptr);
}

// The program opens the file on its command line; while it runs it keeps a copy of unsaved
// changes apart from the user's file, offers them back after a crash, and leaves nothing
// after a clean end.
TEST(AppStart, TheCommandLineFileOpensAndACrashedRunsChangesAreOfferedBack)
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
        EXPECT_TRUE(frame.isVisible());
        EXPECT_EQ(frame.document().title(), "Saved");
        EXPECT_EQ(frame.windowTitle(), QStringLiteral("song.zlvm - Zelvane"));
        ASSERT_TRUE(frame.recovery().active());
        copy = frame.recovery().copyPath();
        EXPECT_TRUE(frame.recovery().Save()); // unmodified: nothing to keep
        EXPECT_FALSE(QFile::exists(copy));
        Retitle(frame.document(), "Unsaved work");
        ASSERT_TRUE(frame.recovery().Save());
        EXPECT_TRUE(QFile::exists(copy));
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

TEST(AppStart, DecliningDropsTheCopyAnUnreadableFileLeavesANewDocumentASecondWindowKeepsNone)
{
    test::ClearSettings();
    {
        CZelvane program(test::Application());
        CMainFrame& frame = program.Start({});
        Retitle(frame.document(), "Crashed");
        ASSERT_TRUE(frame.recovery().Save());
    }
    QTemporaryDir folder;
    const QString unreadable = folder.filePath(QStringLiteral("start.zlvm"));
    test::WriteBytes(unreadable, QByteArray("\x00\x02garbage", 9));
    auto declined = test::AnswerMessage(QStringLiteral("破棄"));
    auto reported
        = test::Prompts().Answer<QMessageBox>([](QMessageBox& box) { box.buttons()[0]->click(); });
    CZelvane program(test::Application());
    CMainFrame& frame = program.Start({unreadable});
    ASSERT_TRUE(*declined);
    EXPECT_TRUE(*reported);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.document().title(), "");
    ASSERT_NE(frame.document().currentScore(), nullptr);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("無題 - Zelvane"));
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
