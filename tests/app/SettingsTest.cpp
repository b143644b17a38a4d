#include "app/Settings.h"
#include "app/AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/MainFrame.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QSplitter>
#include <QTest>

namespace zelvane {
namespace {

class AppSettings : public ::testing::Test {
protected:
    void SetUp() override { test::ClearSettings(); }
    static void Store(const QString& key, const QVariant& value)
    {
        QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane")).setValue(key, value);
    }
};

TEST_F(AppSettings, DirectoriesComeBackWithOneTrailingSlash)
{
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("DWIDirectory")), QString());
    Settings::RememberDirectoryOf(QStringLiteral("DWIDirectory"), QStringLiteral("/songs/a.dwi"));
    EXPECT_EQ(QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"))
                  .value(QStringLiteral("Workspace/DWIDirectory"))
                  .toString(),
              QStringLiteral("/songs"));
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("DWIDirectory")), QStringLiteral("/songs/"));
    Store(QStringLiteral("Workspace/ModelDirectory"), QStringLiteral("/models/"));
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("ModelDirectory")),
              QStringLiteral("/models/"));
}

TEST_F(AppSettings, ScoreWidthAndColoursFallBackToTheirDefaults)
{
    EXPECT_EQ(Settings::ReadScoreWidth(), 448);
    for (int stored : {0, -20}) {
        Store(QStringLiteral("Workspace/ScoreWidth"), stored);
        EXPECT_EQ(Settings::ReadScoreWidth(), 448) << stored;
    }
    Store(QStringLiteral("Workspace/ScoreWidth"), QStringLiteral("wide"));
    EXPECT_EQ(Settings::ReadScoreWidth(), 448);
    EXPECT_EQ(Settings::ReadColors().background, 0xFFFFFFu);
    EXPECT_EQ(Settings::ReadColors().screen, 0u);
    Settings::WriteBackgroundColor(0x00123456);
    EXPECT_EQ(Settings::ReadColors().background, 0x00123456u);
}

TEST_F(AppSettings, FiltersOfTheStringTableBecomeQtFilters)
{
    EXPECT_EQ(QtFileFilter(QStringLiteral("音声ファイル(*.wav;*.mp3)|*.wav;*.mp3")),
              QStringLiteral("音声ファイル(*.wav *.mp3);;すべてのファイル (*)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("DWIファイル(*.dwi)|*.dwi")).section(";;", 0, 0),
              QStringLiteral("DWIファイル(*.dwi)"));
}

TEST_F(AppSettings, WindowPlacementAndPaneWidthSurviveARestart)
{
    {
        CMainFrame frame;
        frame.ShowWithSavedPlacement();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.setGeometry(40, 50, 900, 640);
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame.splitter()->width() == 900; }));
        frame.splitter()->setSizes({300, 600});
        EXPECT_TRUE(frame.close());
    }
    EXPECT_EQ(Settings::ReadScoreWidth(), 300);
    const Settings::WindowPlacement stored = Settings::ReadPlacement("Window");
    EXPECT_EQ(stored.rect(), QRect(40, 50, 900, 640));
    EXPECT_EQ(stored.show, Settings::WindowPlacement::kShowNormal);

    CMainFrame again;
    again.ShowWithSavedPlacement();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.geometry(), QRect(40, 50, 900, 640));
    EXPECT_EQ(again.splitter()->sizes().value(0), 300);
}

TEST_F(AppSettings, AMaximisedWindowComesBackMaximisedWithItsNormalRectangle)
{
    {
        CMainFrame frame;
        frame.setGeometry(60, 70, 800, 600);
        frame.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        EXPECT_TRUE(frame.close());
    }
    const Settings::WindowPlacement stored = Settings::ReadPlacement("Window");
    EXPECT_EQ(stored.show, Settings::WindowPlacement::kShowMaximized);
    EXPECT_EQ(stored.rect(), QRect(60, 70, 800, 600));

    CMainFrame again;
    again.ShowWithSavedPlacement();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_TRUE(again.isMaximized());
    EXPECT_EQ(again.normalGeometry(), QRect(60, 70, 800, 600));
}

} // namespace
} // namespace zelvane
