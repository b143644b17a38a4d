#include "app/Application.h"
#include "app/AppTestSupport.h"
#include "app/MainFrame.h"
#include "chart/ZlvmFile.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

namespace zelvane {
namespace {

QApplication& Application()
{
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

TEST(AppStart, TheFileNamedOnTheCommandLineIsOpenedByItsExtension)
{
    test::ClearSettings();
    QTemporaryDir folder;
    ZlvmDocumentData data;
    data.title = "From the command line";
    const QString path = folder.filePath(QStringLiteral("start.zlvm"));
    WriteFileAtomically(path.toStdString(), WriteZlvm(data));

    CZelvane program(Application());
    CMainFrame& frame = program.Start({path});
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.document().title(), "From the command line");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("start.zlvm - Zelvane"));
}

TEST(AppStart, AnUnreadableFileOnTheCommandLineLeavesAWorkingNewDocument)
{
    test::ClearSettings();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("broken.zlvm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x00\x02garbage", 9);
    file.close();

    auto reported
        = test::WhenModal<QMessageBox>([](QMessageBox* box) { box->buttons()[0]->click(); });
    CZelvane program(Application());
    CMainFrame& frame = program.Start({path});
    EXPECT_TRUE(*reported);
    EXPECT_TRUE(frame.isVisible());
    ASSERT_NE(frame.document().currentScore(), nullptr);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("無題 - Zelvane"));
}

} // namespace
} // namespace zelvane
