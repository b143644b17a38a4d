#include "app/Settings.h"
#include "app/AppTestSupport.h"
#include "app/FileDialogs.h"

#include <QSettings>
#include <QSplitter>
#include <QTest>

namespace zelvane {
namespace {

class AppSettings : public ::testing::Test {
protected:
    void SetUp() override { test::ClearSettings(); }
    static QSettings Stored()
    {
        return QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"));
    }
};

TEST_F(AppSettings, StoredValuesComeBackNormalisedOrAsTheirDefaults)
{
    // Directories come back with one trailing slash.
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("DWIDirectory")), QString());
    Settings::RememberDirectoryOf(QStringLiteral("DWIDirectory"), QStringLiteral("/songs/a.dwi"));
    EXPECT_EQ(Stored().value(QStringLiteral("Workspace/DWIDirectory")).toString(),
              QStringLiteral("/songs"));
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("DWIDirectory")), QStringLiteral("/songs/"));
    Stored().setValue(QStringLiteral("Workspace/ModelDirectory"), QStringLiteral("/models/"));
    EXPECT_EQ(Settings::ReadDirectory(QStringLiteral("ModelDirectory")),
              QStringLiteral("/models/"));

    EXPECT_EQ(Settings::ReadScoreWidth(), 448);
    for (const QVariant& stored : {QVariant(0), QVariant(-20), QVariant(QStringLiteral("wide"))}) {
        Stored().setValue(QStringLiteral("Workspace/ScoreWidth"), stored);
        EXPECT_EQ(Settings::ReadScoreWidth(), 448) << stored.toString().toStdString();
    }
    EXPECT_EQ(Settings::ReadColors().background, 0xFFFFFFu);
    EXPECT_EQ(Settings::ReadColors().screen, 0u);

    // The string table's filters become Qt filters.
    EXPECT_EQ(QtFileFilter(QStringLiteral("音声ファイル(*.wav;*.mp3)|*.wav;*.mp3")),
              QStringLiteral("音声ファイル(*.wav *.mp3);;すべてのファイル (*)"));
}

TEST_F(AppSettings, WindowPlacementMaximisingAndPaneWidthSurviveARestart)
{
    for (const bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised" : "normal");
        const QRect normal = maximised ? QRect(60, 70, 800, 600) : QRect(40, 50, 900, 640);
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
                ASSERT_TRUE(QTest::qWaitFor([&] { return frame.splitter()->width() == 900; }));
                frame.splitter()->setSizes({300, 600});
            }
            EXPECT_TRUE(frame.close());
        }
        const Settings::WindowPlacement stored = Settings::ReadPlacement("Window");
        EXPECT_EQ(stored.rect(), normal);
        EXPECT_EQ(stored.show,
                  maximised ? Settings::WindowPlacement::kShowMaximized
                            : Settings::WindowPlacement::kShowNormal);

        CMainFrame again;
        again.ShowWithSavedPlacement();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
        EXPECT_EQ(again.isMaximized(), maximised);
        EXPECT_EQ(again.normalGeometry(), normal);
        if (!maximised) {
            EXPECT_EQ(Settings::ReadScoreWidth(), 300);
            EXPECT_EQ(again.splitter()->sizes().value(0), 300);
        }
    }
}

} // namespace
} // namespace zelvane
