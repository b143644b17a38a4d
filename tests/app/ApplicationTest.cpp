#include "app/Application.h"
#include "app/AboutDialog.h"
#include "app/AppTestSupport.h"

#include "ZelvaneVersion.h"

#include <QLabel>
#include <QProcess>

namespace zelvane {
namespace {

// The program opens the file on its command line; while it runs it keeps a copy of unsaved
// changes apart from the user's file, offers them back after a crash, drops them when the
// offer is declined, and leaves nothing after a clean end. A second window keeps no copy.
TEST(AppStart, TheCommandLineFileOpensAndACrashedRunsChangesAreOfferedBack)
{
    test::Stored().clear();
    QTemporaryDir folder;
    ZlvmDocumentData data;
    data.title = "Saved";
    const QString path = folder.filePath(QStringLiteral("song.zlvm"));
    WriteFileAtomically(path.toStdString(), WriteZlvm(data));
    const std::vector<std::uint8_t> saved = ReadWholeFile(path.toStdString(), kMaxChartFileBytes);
    QString copy;
    {
        CZelvane program(*qApp);
        CMainFrame& frame = program.Start({path});
        EXPECT_TRUE(frame.isVisible());
        EXPECT_EQ(frame.document().description().title, "Saved");
        ASSERT_TRUE(frame.recovery().active());
        copy = frame.recovery().copyPath();
        EXPECT_TRUE(frame.recovery().Save()); // unmodified: nothing to keep
        EXPECT_FALSE(QFile::exists(copy));
        test::Retitle(frame.document(), "Unsaved work");
        ASSERT_TRUE(frame.recovery().Save());
        EXPECT_TRUE(QFile::exists(copy));
        // The program ends here without closing its window, as a crash would.
    }

    QString question;
    auto offered = test::AnswerMessage(QStringLiteral("復元"), &question);
    {
        CZelvane program(*qApp);
        CMainFrame& frame = program.Start({});
        ASSERT_TRUE(*offered);
        EXPECT_TRUE(question.contains(QStringLiteral("復元")));
        EXPECT_EQ(frame.document().description().title, "Unsaved work");
        EXPECT_TRUE(frame.document().IsModified());
        EXPECT_EQ(test::ShownTitle(frame), QStringLiteral("song.zlvm* - Zelvane"));
        // A clean end, the changes thrown away when asked: no copy is left.
        auto discarded = test::AnswerMessage(QStringLiteral("いいえ(&N)"));
        EXPECT_TRUE(frame.close());
        EXPECT_TRUE(*discarded);
        EXPECT_FALSE(QFile::exists(copy));
    }
    EXPECT_EQ(ReadWholeFile(path.toStdString(), kMaxChartFileBytes), saved);
    {
        CZelvane program(*qApp); // nothing left over, so nothing is offered
        CMainFrame& frame = program.Start({});
        test::Retitle(frame.document(), "Crashed");
        ASSERT_TRUE(frame.recovery().Save());
    }

    // Declined, the copy goes; a file on the command line that cannot be read is reported
    // and leaves a new document.
    test::WriteBytes(path, QByteArray("\x00\x02garbage", 9));
    auto declined = test::AnswerMessage(QStringLiteral("破棄"));
    auto reported = test::AnswerMessage();
    CZelvane program(*qApp);
    CMainFrame& frame = program.Start({path});
    ASSERT_TRUE(*declined);
    EXPECT_TRUE(*reported);
    EXPECT_EQ(frame.document().description().title, "");
    EXPECT_EQ(test::ShownTitle(frame), QStringLiteral("無題 - Zelvane"));
    EXPECT_FALSE(QFile::exists(copy));

    // Another window of the program running at the same time leaves the copy to the first.
    CMainFrame second;
    EXPECT_FALSE(second.recovery().active());
    test::Retitle(second.document(), "Second");
    EXPECT_FALSE(second.recovery().Save());
    EXPECT_FALSE(QFile::exists(copy));
}

// `zelvane --version` answers without a display and starts nothing; the About box names the
// same build.
TEST(AppStart, TheVersionNamesTheProjectAndTheCommit)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZELVANE_PROGRAM), {QStringLiteral("--version")});
    ASSERT_TRUE(program.waitForFinished(-1));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    EXPECT_EQ(printed, QStringLiteral("zelvane ") + BuildVersionText() + QLatin1Char('\n'));
    EXPECT_TRUE(BuildVersionText().startsWith(QString::fromLatin1(kVersion)));
    if (*kGitDescription != '\0') {
        EXPECT_TRUE(BuildVersionText().contains(QString::fromLatin1(kGitDescription)));
    }

    CAboutDialog about;
    auto* build = about.findChild<QLabel*>(QStringLiteral("build"));
    ASSERT_TRUE(build);
    EXPECT_EQ(build->text(), QStringLiteral("ビルド: ") + BuildVersionText());
}

} // namespace
} // namespace zelvane
