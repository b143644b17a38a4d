#include "app/Application.h"
#include "app/AppTestSupport.h"
#include "chart/ZlvmFile.h"
#include "text/FileIo.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace zelvane {
namespace {

TEST(AppStart, TheFileOnTheCommandLineIsOpenedAndAnUnreadableOneLeavesANewDocument)
{
    test::ClearSettings();
    QTemporaryDir folder;
    ZlvmDocumentData data;
    data.title = "From the command line";
    const QString path = folder.filePath(QStringLiteral("start.zlvm"));
    WriteFileAtomically(path.toStdString(), WriteZlvm(data));
    {
        CZelvane program(test::Application());
        CMainFrame& frame = program.Start({path});
        EXPECT_TRUE(frame.isVisible());
        EXPECT_EQ(frame.document().title(), "From the command line");
        EXPECT_EQ(frame.windowTitle(), QStringLiteral("start.zlvm - Zelvane"));
    }
    test::WriteBytes(path, QByteArray("\x00\x02garbage", 9));
    auto reported
        = test::Prompts().Answer<QMessageBox>([](QMessageBox& box) { box.buttons()[0]->click(); });
    CZelvane program(test::Application());
    CMainFrame& frame = program.Start({path});
    EXPECT_TRUE(*reported);
    EXPECT_TRUE(frame.isVisible());
    ASSERT_NE(frame.document().currentScore(), nullptr);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("無題 - Zelvane"));
}

} // namespace
} // namespace zelvane
