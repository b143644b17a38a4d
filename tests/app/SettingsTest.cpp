#include "app/AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>

namespace zelvane {
namespace {

class AppSettings : public ::testing::Test {
protected:
    void SetUp() override { test::Stored().clear(); }
};

TEST_F(AppSettings, StoredValuesComeBackNormalisedOrAsTheirDefaults)
{
    // Directories come back with one trailing slash.
    Settings::RememberDirectoryOf(QStringLiteral("DWIDirectory"), QStringLiteral("/songs/a.dwi"));
    EXPECT_EQ(test::Stored().value(QStringLiteral("Workspace/DWIDirectory")).toString(),
              QStringLiteral("/songs"));
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("DWIDirectory")), QStringLiteral("/songs/"));
    test::Stored().setValue(QStringLiteral("Workspace/ModelDirectory"), QStringLiteral("/models/"));
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("ModelDirectory")),
              QStringLiteral("/models/"));

    for (const QVariant& stored : {QVariant(0), QVariant(-20), QVariant(QStringLiteral("wide"))}) {
        test::Stored().setValue(QStringLiteral("Workspace/ScoreWidth"), stored);
        EXPECT_EQ(Settings::ReadScoreWidth(), 448) << stored.toString().toStdString();
    }

    // The string table's filters become Qt filters.
    EXPECT_EQ(QtFileFilter(QStringLiteral("音声ファイル(*.wav;*.mp3)|*.wav;*.mp3")),
              QStringLiteral("音声ファイル(*.wav *.mp3);;すべてのファイル (*)"));
}

TEST_F(AppSettings, WindowPlacementMaximisingAndPaneWidthSurviveARestart)
{
    for (const bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised" : "normal");
        // Within the offscreen platform's 800 x 600 screen, where a placement is kept as it was.
        const QRect normal = maximised ? QRect(60, 70, 600, 450) : QRect(40, 50, 700, 500);
        {
            CMainFrame frame;
            if (maximised) {
                frame.setGeometry(normal);
                frame.showMaximized();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
            } else {
                frame.ShowWithSavedPlacement();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
                frame.setGeometry(normal);
                ASSERT_TRUE(QTest::qWaitFor([&] { return frame.splitter()->width() == 700; }));
                frame.splitter()->setSizes({300, 400});
            }
            EXPECT_TRUE(frame.close());
        }
        CMainFrame again;
        again.ShowWithSavedPlacement();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
        EXPECT_EQ(again.isMaximized(), maximised);
        EXPECT_EQ(again.normalGeometry(), normal);
        if (!maximised) {
            EXPECT_EQ(again.splitter()->sizes().value(0), 300);
        }
    }
}

TEST(AppScreenFit, AWindowSavedOffTheScreensComesBackOnThem)
{
    const QRect primary(0, 0, 1280, 1000);
    const QRect right(1280, 0, 1920, 1080);
    const struct {
        QRect saved;
        QList<QRect> screens;
        QRect expected;
    } cases[] = {
        // Where it was, on either screen.
        {{40, 50, 900, 640}, {primary, right}, {40, 50, 900, 640}},
        {{1500, 100, 800, 600}, {primary, right}, {1500, 100, 800, 600}},
        // Half off the edge: moved fully on; larger than the screen: made to fit.
        {{1000, 700, 900, 640}, {primary}, {380, 360, 900, 640}},
        {{-10, -10, 3000, 2000}, {primary}, {0, 0, 1280, 1000}},
        // On a screen that is gone, or with only a sliver showing: centred on the primary.
        {{1500, 100, 800, 600}, {primary}, {240, 200, 800, 600}},
        {{1260, 980, 800, 600}, {primary}, {240, 200, 800, 600}},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(FitToScreens(entry.saved, entry.screens), entry.expected) << entry.saved.x();

    // The window itself: a placement from a screen that is not there opens on this one.
    Settings::WritePlacement("Window",
                             {5000, 4000, 700, 500, Settings::WindowPlacement::kShowNormal});
    CMainFrame frame;
    frame.ShowWithSavedPlacement();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(frame.geometry())) << frame.geometry().x();
}

} // namespace
} // namespace zelvane
