#include "app/AppTestSupport.h"
#include "app/FileNotFoundDialog.h"
#include "app/MessageWidth.h"

#include <QDir>
#include <QLabel>
#include <QScreen>

namespace zelvane {
namespace {

class AppSaving : public test::FrameTest {
protected:
    // Where the next file dialog of `command` starts; the dialog is cancelled.
    QString StartFolderOf(int command)
    {
        QString directory;
        auto asked = test::Prompts().Answer<QFileDialog>(
            [&directory](QFileDialog& dialog) { directory = dialog.directory().absolutePath(); });
        frame->action(command)->trigger();
        EXPECT_TRUE(*asked);
        return directory;
    }

    void SaveAs(const QString& typed)
    {
        auto asked = test::Prompts().AnswerFile(typed);
        frame->action(ID_FILE_SAVE_AS)->trigger();
        EXPECT_TRUE(*asked);
    }
};

// A name typed without an extension is saved with the kind's own, so the open dialog's
// filter finds the file again; a name with one is kept as typed.
TEST_F(AppSaving, ANameWithoutAnExtensionGetsTheOneOfItsKind)
{
    SaveAs(Path(QStringLiteral("dyn")));
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("dyn.zlvm"))));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("dyn"))));
    EXPECT_EQ(FromPath(frame->document().pathName()), Path(QStringLiteral("dyn.zlvm")));
    SaveAs(Path(QStringLiteral("dyn.v2")));
    EXPECT_EQ(FromPath(frame->document().pathName()), Path(QStringLiteral("dyn.v2")));
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("dyn.v2"))));

    AddNotes({{0, 0, 0}, {48, 1, 0}});
    const struct {
        int command;
        QString typed;
        QString written;
    } exports[] = {
        {ID_FILE_EXPORT_DWI, QStringLiteral("chart"), QStringLiteral("chart.dwi")},
        {ID_FILE_CREATE_MOTION, QStringLiteral("dance"), QStringLiteral("dance.vmd")},
    };
    for (const auto& entry : exports) {
        SCOPED_TRACE(entry.written.toStdString());
        auto asked = test::Prompts().AnswerFile(Path(entry.typed));
        frame->action(entry.command)->trigger();
        EXPECT_TRUE(*asked);
        EXPECT_TRUE(QFileInfo::exists(Path(entry.written)));
        EXPECT_FALSE(QFileInfo::exists(Path(entry.typed)));
    }
}

// The title shows "*" exactly while the document says it has unsaved changes.
TEST_F(AppSaving, TheTitleMarksUnsavedChanges)
{
    const auto shown = [this] { return test::ShownTitle(*frame); };
    EXPECT_EQ(shown(), QStringLiteral("無題 - Zelvane"));
    CScoreView* view = frame->scorePane()->scoreView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_1);
    EXPECT_EQ(shown(), QStringLiteral("無題* - Zelvane"));
    EXPECT_TRUE(frame->isWindowModified());

    // Saved under a name holding the placeholder itself, which the title shows as it is.
    auto asked = test::Prompts().AnswerFile(Path(QStringLiteral("take[*]")));
    Press(Qt::Key_S);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(shown(), QStringLiteral("take[*].zlvm - Zelvane"));
    EXPECT_FALSE(frame->isWindowModified());

    QTest::keyClick(view, Qt::Key_2);
    EXPECT_EQ(shown(), QStringLiteral("take[*].zlvm* - Zelvane"));
    Press(Qt::Key_Z);
    EXPECT_EQ(frame->isWindowModified(), frame->document().IsModified());
    EXPECT_EQ(shown().contains(QStringLiteral(".zlvm*")), frame->document().IsModified());
}

// Motions and videos are made from the document: their dialogs start beside it, and only
// while it has no file in the folder remembered for them.
TEST_F(AppSaving, ExportDialogsStartBesideTheDocument)
{
    AddNotes({{0, 0, 0}, {48, 1, 0}});
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("remembered")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("songs")));
    const QString remembered = Path(QStringLiteral("remembered"));
    test::Stored().setValue(QStringLiteral("Workspace/MotionDirectory"), remembered);
    test::Stored().setValue(QStringLiteral("Workspace/AVIDirectory"), remembered);
    test::Stored().setValue(QStringLiteral("Workspace/DWIDirectory"), remembered);
    for (const int command : {ID_FILE_CREATE_MOTION, ID_FILE_BACKGROUND_AVI, ID_FILE_EXPORT_DWI})
        EXPECT_EQ(StartFolderOf(command), remembered) << command;

    SaveAs(Path(QStringLiteral("songs/song.zlvm")));
    for (const int command : {ID_FILE_CREATE_MOTION, ID_FILE_BACKGROUND_AVI, ID_FILE_EXPORT_DWI})
        EXPECT_EQ(StartFolderOf(command), Path(QStringLiteral("songs"))) << command;
}

// Every label of a message is as wide as its longest line, as far as the screen allows, so
// a path is never broken in the middle of a name; the dialog stays on the screen.
void ExpectLinesWhole(QDialog& dialog, int labelsAtLeast)
{
    const int limit = MessageLineLimit(dialog);
    int labels = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisible())
            continue;
        ++labels;
        int widest = 0;
        for (const QString& line : label->text().split(QLatin1Char('\n')))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        EXPECT_GE(label->contentsRect().width(), std::min(widest, limit))
            << label->text().toStdString();
    }
    EXPECT_GE(labels, labelsAtLeast);
    EXPECT_LE(dialog.width(), dialog.screen()->availableGeometry().width());
}

TEST_F(AppSaving, MessagesAreAsWideAsTheirLines)
{
    // A song that is not there: the question names it.
    ZlvmDocumentData data;
    data.audioPath
        = Path(QStringLiteral("a folder that is not there/and a song of a long name.wav"))
              .toStdString();
    const QString song = Path(QStringLiteral("song.zlvm"));
    WriteFileAtomically(song.toStdString(), WriteZlvm(data));
    auto asked = test::Prompts().Answer<CFileNotFoundDialog>([](CFileNotFoundDialog& dialog) {
        ExpectLinesWhole(dialog, 1);
        dialog.ignoreButton()->click();
    });
    ASSERT_TRUE(frame->OpenFile(song));
    EXPECT_TRUE(*asked);

    // A file that cannot be saved where it was asked to be.
    auto chosen = test::Prompts().AnswerFile(Path(QStringLiteral("gone/folder/song.zlvm")));
    auto told = test::Prompts().Answer<QMessageBox>([](QMessageBox& box) {
        ExpectLinesWhole(box, 2);
        box.buttons().constFirst()->click();
    });
    frame->action(ID_FILE_SAVE_AS)->trigger();
    EXPECT_TRUE(*chosen && *told);
}

} // namespace
} // namespace zelvane
