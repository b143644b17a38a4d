// The camera's framing needs no drawing: the window is made but never shown, so these run
// without OpenGL too.
#include "render_gl/ProjectionWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelvane::test {
namespace {

// Two dancers' boxes over two pads and the screen behind: the scene of a COUPLE chart.
std::vector<Vector3> CoupleScene()
{
    std::vector<Vector3> points;
    const auto box = [&points](Vector3 low, Vector3 high) {
        for (int corner = 0; corner < 8; ++corner)
            points.push_back({(corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y,
                              (corner & 4) ? high.z : low.z});
    };
    box({-16, 0, -3}, {-2, 21, 3});
    box({2, 0, -3}, {16, 21, 3});
    box({-12, 0, -6}, {12, 0, 6});
    box({-13.3f, 0, 20}, {13.3f, 20, 20});
    return points;
}

// The largest distance from the picture's middle (1 at its edge) at which a point lands,
// failing for a point behind the near plane.
float Reach(const CProjectionWindow& window, const std::vector<Vector3>& points)
{
    const Matrix camera = window.orbit() * window.view();
    const Matrix all = camera * window.projection();
    float reach = 0.0f;
    for (const Vector3& point : points) {
        EXPECT_GE(TransformCoord(point, camera).z, CProjectionWindow::kNear - 1e-3f);
        const Vector3 ndc = TransformCoord(point, all);
        reach = std::max({reach, std::abs(ndc.x), std::abs(ndc.y)});
    }
    return reach;
}

// Wide and tall windows, turned or not: the scene fills the picture up to the margin, no
// point outside it and at least one on it, and the turn the user chose stays.
TEST(Framing, EveryPointShowsWithTheMarginWhateverTheTurnAndShape)
{
    const std::vector<Vector3> scene = CoupleScene();
    CProjectionWindow window;
    for (const QSize size : {QSize(640, 480), QSize(300, 700), QSize(1200, 300)}) {
        window.resize(size);
        window.ResetCamera();
        EXPECT_GT(Reach(window, scene), 1.0f) << "the default camera already shows it all";
        for (const Vector3 turn : {Vector3{}, Vector3{0.4f, -0.9f, 0}, Vector3{-0.3f, 2.5f, 0}}) {
            SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " turn "
                                            << turn.x << "," << turn.y);
            window.ResetCamera();
            // Turning is what a right-button drag does: one degree a pixel.
            const QPoint drag(static_cast<int>(std::lround(turn.y / 0.017453292f)),
                              static_cast<int>(std::lround(turn.x / 0.017453292f)));
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(0, 0), QPointF(0, 0),
                              Qt::RightButton, Qt::RightButton, Qt::NoModifier);
            QMouseEvent move(QEvent::MouseMove, QPointF(drag), QPointF(drag), Qt::NoButton,
                             Qt::RightButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &press);
            QCoreApplication::sendEvent(&window, &move);
            const Vector3 rotation = window.rotation();

            window.FramePoints(scene);
            EXPECT_EQ(window.rotation(), rotation);
            const float reach = Reach(window, scene);
            EXPECT_LE(reach, CProjectionWindow::kFrameFill + 1e-4f);
            EXPECT_GE(reach, CProjectionWindow::kFrameFill - 0.02f) << "farther than it needs";
        }
    }
}

// A scene deep along the line of sight and hardly wider than a point fits the picture at
// any distance: its nearest point still stays beyond the near plane.
TEST(Framing, ADeepNarrowSceneStaysInFrontOfTheEye)
{
    const std::vector<Vector3> line{{0, 10, -40}, {0, 10, 40}, {0.01f, 10.01f, 0}};
    CProjectionWindow window;
    window.resize(640, 480);
    window.FramePoints(line);
    EXPECT_LE(Reach(window, line), CProjectionWindow::kFrameFill + 1e-4f);
}

} // namespace
} // namespace zelvane::test
