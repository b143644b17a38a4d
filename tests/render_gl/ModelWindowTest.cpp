#include "GLTestSupport.h"

#include "render/SpriteSheets.h"
#include "render_gl/ModelWindow.h"

#include <QOpenGLContext>
#include <QTest>
#include <QWheelEvent>

namespace zelvane::test {
namespace {

const QColor kWhite(255, 255, 255);

class ModelWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_OPENGL();
        m_window = std::make_unique<CModelWindow>();
        m_window->resize(kWidth, kHeight);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        ASSERT_TRUE(m_window->ready());
    }

    QImage Grab() { return m_window->grabFramebuffer(); }
    QPoint At(const Vector3& point) const { return ToPixel(*m_window, point); }

    std::unique_ptr<CModelWindow> m_window;
};

// With nothing loaded the window still shows the floor grid, the axes, one pad of size 12
// and the half-transparent screen over the background colour.
TEST_F(ModelWindowTest, EmptySceneShowsGridAxesPadAndScreen)
{
    m_window->SetScreenColor(0x000000);
    m_window->RenderChart(0);
    const QImage image = Grab();
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));

    // Grid crossings beside the pad, and the middle of a grid cell between them.
    for (const Vector3& crossing : {Vector3{10, 0, -5}, Vector3{-10, 0, 5}, Vector3{10, 0, 10}})
        EXPECT_TRUE(AnyPixel(image, At(crossing), IsGridGrey)) << crossing.x << "," << crossing.z;
    EXPECT_TRUE(Near(image.pixelColor(At({12.5f, 0, -2.5f})), kWhite, 0));

    // The red x axis lies over the grid line z = 0; green and blue run up and towards the
    // eye from the origin (blue is hidden under the pad near the origin).
    EXPECT_TRUE(AnyPixel(image, At({10, 0, 0}), [](QColor c) { return IsHue(c, 0); }));
    EXPECT_TRUE(AnyPixel(image, At({0, 18, 0}), [](QColor c) { return IsHue(c, 1); }));
    EXPECT_TRUE(AnyPixel(image, At({0, 0, -7}), [](QColor c) { return IsHue(c, 2); }));

    // The pad covers x and z from -6 to 6: its texture shows at its centre, not beyond.
    const QImage& pad = CSpriteSheets::Get().pad();
    const QColor padCentre = pad.pixelColor(pad.width() / 2, pad.height() / 2);
    EXPECT_TRUE(Near(image.pixelColor(At({0, 0.05f, 0})), padCentre, 24));
    EXPECT_FALSE(Near(image.pixelColor(At({0, 0.05f, 0})), kWhite, 24));
    EXPECT_TRUE(Near(image.pixelColor(At({7.5f, 0, -2.5f})), kWhite, 0));

    // A black screen at alpha 0x80 halves the white behind it; left and right of it the
    // background is untouched.
    EXPECT_TRUE(Near(image.pixelColor(At({5, 12, 20})), QColor(127, 127, 127), 3));
    EXPECT_TRUE(Near(image.pixelColor(At({16, 12, 20})), kWhite, 0));
}

TEST_F(ModelWindowTest, WheelDragAndDoubleClickMoveTheCamera)
{
    const QPoint centre(kWidth / 2, kHeight / 2);
    for (int notch = 0; notch < 3; ++notch) {
        QWheelEvent wheel(centre, m_window->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_window.get(), &wheel);
    }
    EXPECT_FLOAT_EQ(m_window->distance(), 44.0f);

    // Right-drag: one degree per pixel, x movement about Y, y movement about X.
    QTest::mousePress(m_window.get(), Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseMove(m_window.get(), centre + QPoint(30, -10));
    QTest::mouseRelease(m_window.get(), Qt::RightButton, Qt::NoModifier, centre + QPoint(30, -10));
    EXPECT_NEAR(m_window->rotation().y, 30 * 0.017453292f, 1e-5f);
    EXPECT_NEAR(m_window->rotation().x, -10 * 0.017453292f, 1e-5f);

    // Middle-drag pans: the target moves sideways in the plane of the screen.
    QTest::mousePress(m_window.get(), Qt::MiddleButton, Qt::NoModifier, centre);
    QTest::mouseMove(m_window.get(), centre + QPoint(0, 25));
    QTest::mouseRelease(m_window.get(), Qt::MiddleButton, Qt::NoModifier, centre + QPoint(0, 25));
    EXPECT_GT(Length(m_window->target() - CProjectionWindow::kDefaultTarget), 0.9f);

    QTest::mouseDClick(m_window.get(), Qt::RightButton, Qt::NoModifier, centre);
    EXPECT_FLOAT_EQ(m_window->distance(), 50.0f);
    EXPECT_EQ(m_window->rotation(), Vector3{});
    EXPECT_EQ(m_window->target(), CProjectionWindow::kDefaultTarget);
    // No drag survives the reset: moving the mouse now turns nothing.
    QTest::mouseMove(m_window.get(), centre + QPoint(40, 40));
    EXPECT_EQ(m_window->rotation(), Vector3{});
}

// A turned camera shows the grid where the maths puts it, so the drawing and the mouse
// rules use the same matrices.
TEST_F(ModelWindowTest, RotatedCameraDrawsGridWhereTheMatricesSay)
{
    const QPoint centre(kWidth / 2, kHeight / 2);
    QTest::mousePress(m_window.get(), Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseMove(m_window.get(), centre + QPoint(35, 0));
    QTest::mouseRelease(m_window.get(), Qt::RightButton, Qt::NoModifier, centre + QPoint(35, 0));
    const QImage image = Grab();
    // The turned camera sees grid crossings far to the side, where the default one sees
    // nothing; each that falls in the picture is drawn where the matrices put it.
    int seen = 0;
    for (const float x : {-25.0f, -20.0f, 20.0f, 25.0f})
        for (const float z : {-5.0f, 10.0f}) {
            const QPoint at = At({x, 0, z});
            if (!image.rect().adjusted(2, 2, -2, -2).contains(at))
                continue;
            ++seen;
            EXPECT_TRUE(AnyPixel(image, at, IsGridGrey)) << x << "," << z;
        }
    EXPECT_GE(seen, 2);
}

class ModelInstanceDrawTest : public ModelWindowTest {
protected:
    CGLModelInstance& AddBall(const CModelMaterial& material, const std::string& toonPath = {})
    {
        m_model = MakeBall({0, 10, -10}, 4.0f, material);
        m_model.toonPaths[0] = toonPath;
        return m_window->CreateInstance(m_model);
    }

    CModelDocument m_model;
};

// A ball with a toon ramp: lit from the upper right, so its right side reads the light top
// of the ramp and its left side the shade; the middle is the lit colour, not the outline.
TEST_F(ModelInstanceDrawTest, ToonShadesTheSideAwayFromTheLight)
{
    CModelMaterial material;
    material.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    material.ambient = {0.3f, 0.3f, 0.3f, 0.0f};
    material.toonIndex = 0;
    material.edge = true;
    // A toon file the model names but that does not exist: the default ramp stands in.
    AddBall(material, "/nonexistent/toon01.bmp");
    const QImage image = Grab();
    const QColor middle = image.pixelColor(At({0, 10, -14}));
    const QColor right = image.pixelColor(At({3.2f, 10, -12.4f}));
    const QColor left = image.pixelColor(At({-3.2f, 10, -12.4f}));
    EXPECT_GT(Luma(middle), 100);
    EXPECT_GT(Luma(right), Luma(left) + 30);
    // The lit colour tops out at ambient + 0.604 x diffuse; the ramp only darkens it.
    EXPECT_LE(Luma(right), 0.3f * 255 + 0.604f * 0.8f * 255 + 3);
}

// Without textures the ball is one flat lit colour: ambient + light x diffuse.
TEST_F(ModelInstanceDrawTest, LitColourWithoutTextures)
{
    CModelMaterial material;
    material.diffuse = {0.5f, 0.25f, 0.0f, 1.0f};
    material.ambient = {0.1f, 0.2f, 0.3f, 0.0f};
    AddBall(material);
    const QImage image = Grab();
    const float light = 0x9A / 255.0f;
    const QColor expected(std::lround((0.1f + light * 0.5f) * 255),
                          std::lround((0.2f + light * 0.25f) * 255), std::lround(0.3f * 255));
    EXPECT_TRUE(Near(image.pixelColor(At({0, 10, -14})), expected, 2));
    EXPECT_TRUE(Near(image.pixelColor(At({-2, 8, -13})), expected, 2));
}

// A fully transparent material is not drawn at all (alpha test), which leaves its outline
// alone: the pushed-out back faces, black. Without the edge flag, or hidden, nothing shows.
TEST_F(ModelInstanceDrawTest, OutlineIsBlackOnlyForEdgeMaterialsAndDrawnAgainOnANewContext)
{
    CModelMaterial material;
    material.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    AddBall(material);
    const QColor screen(127, 127, 127);
    EXPECT_TRUE(Near(Grab().pixelColor(At({2, 12, -13})), screen, 3));

    m_window->ClearInstances();
    m_model.materials[0].edge = true;
    CGLModelInstance& ball = m_window->CreateInstance(m_model);
    ball.instance().visible = false;
    EXPECT_TRUE(Near(Grab().pixelColor(At({2, 12, -13})), screen, 3));
    ball.instance().visible = true;
    const QImage before = Grab();
    EXPECT_TRUE(Near(before.pixelColor(At({0, 10, -14})), QColor(0, 0, 0), 0));
    EXPECT_TRUE(Near(before.pixelColor(At({2, 12, -13})), QColor(0, 0, 0), 0));

    // Moving the window into another top-level window gives it a new context: everything
    // that lived on the old one (shaders, grid, pad, screen, the dancers' buffers) is made
    // again, and the picture is the same.
    bool oldContextGone = false;
    QObject::connect(m_window->context(), &QOpenGLContext::aboutToBeDestroyed,
                     [&] { oldContextGone = true; });
    QWidget other;
    other.resize(kWidth, kHeight);
    m_window->setParent(&other);
    m_window->move(0, 0);
    m_window->show();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    ASSERT_TRUE(m_window->ready());
    const QImage after = Grab();
    m_window->setParent(nullptr);
    EXPECT_TRUE(oldContextGone);
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace zelvane::test
