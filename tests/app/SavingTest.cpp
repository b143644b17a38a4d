#include "app/AppTestSupport.h"

namespace zelvane {
namespace {

class AppSaving : public test::FrameTest {
protected:
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

} // namespace
} // namespace zelvane
