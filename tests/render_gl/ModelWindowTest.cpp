#include "GLTestSupport.h"
#include "model/ModelLoader.h"
#include "model/PmxFromModel.h"
#include "model/PmxTestWriter.h"

#include <QDir>
#include <QFile>
#include <QOpenGLContext>
#include <QTemporaryDir>
#include <QWheelEvent>

namespace zelvane::test {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kScreenOverWhite(127, 127, 127); // a black screen at alpha 0x80
constexpr int kLitWhite = 0x9A;               // the light's share of a white diffuse colour

// With nothing loaded the window still shows the floor grid, the axes and one pad of size 12.
TEST_F(ModelWindowTest, EmptySceneShowsGridAxesAndPad)
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
    EXPECT_TRUE(IsPad(image.pixelColor(At({0, 0.05f, 0}))));
    EXPECT_FALSE(Near(image.pixelColor(At({0, 0.05f, 0})), kWhite, 24));
    EXPECT_TRUE(Near(image.pixelColor(At({7.5f, 0, -2.5f})), kWhite, 0));
    // Beside the screen (whose blending the view's suite checks) the background is untouched.
    EXPECT_TRUE(Near(image.pixelColor(At({16, 12, 20})), kWhite, 0));
}

TEST_F(ModelWindowTest, WheelDragAndDoubleClickMoveTheCamera)
{
    const QPoint centre(kWidth / 2, kHeight / 2);
    const auto drag = [this, centre](Qt::MouseButton button, QPoint by) {
        QTest::mousePress(m_window.get(), button, Qt::NoModifier, centre);
        QTest::mouseMove(m_window.get(), centre + by);
        QTest::mouseRelease(m_window.get(), button, Qt::NoModifier, centre + by);
    };
    for (int notch = 0; notch < 3; ++notch) {
        QWheelEvent wheel(centre, m_window->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_window.get(), &wheel);
    }
    EXPECT_FLOAT_EQ(m_window->distance(), 44.0f);

    // Right-drag: one degree per pixel, x movement about Y, y movement about X.
    drag(Qt::RightButton, QPoint(35, -10));
    EXPECT_NEAR(m_window->rotation().y, 35 * 0.017453292f, 1e-5f);
    EXPECT_NEAR(m_window->rotation().x, -10 * 0.017453292f, 1e-5f);
    // The turned camera sees grid crossings far to the side, where the default one sees
    // nothing; each in the picture is drawn where the matrices the mouse turned put it.
    const QImage image = Grab();
    int seen = 0;
    for (const float x : {-25.0f, -20.0f, 20.0f, 25.0f})
        for (const float z : {-5.0f, 10.0f}) {
            const QPoint at = At({x, 0, z});
            if (image.rect().adjusted(2, 2, -2, -2).contains(at)) {
                ++seen;
                EXPECT_TRUE(AnyPixel(image, at, IsGridGrey)) << x << "," << z;
            }
        }
    EXPECT_GE(seen, 2);

    // Middle-drag pans: the target moves sideways in the plane of the screen.
    drag(Qt::MiddleButton, QPoint(0, 25));
    EXPECT_GT(Length(m_window->target() - CProjectionWindow::kDefaultTarget), 0.9f);

    QTest::mouseDClick(m_window.get(), Qt::RightButton, Qt::NoModifier, centre);
    EXPECT_FLOAT_EQ(m_window->distance(), 50.0f);
    EXPECT_EQ(m_window->rotation(), Vector3{});
    EXPECT_EQ(m_window->target(), CProjectionWindow::kDefaultTarget);
    // No drag survives the reset: moving the mouse now turns nothing.
    QTest::mouseMove(m_window.get(), centre + QPoint(40, 40));
    EXPECT_EQ(m_window->rotation(), Vector3{});
}

// Lit from the upper right: without textures a ball is one flat colour, ambient + light x
// diffuse; with a toon ramp its right side reads the light top of the ramp and its left the
// shade, and the middle is the lit colour, not the outline.
TEST_F(ModelWindowTest, BallsAreLitFlatOrToonShaded)
{
    CModelMaterial material;
    material.diffuse = {0.5f, 0.25f, 0.0f, 1.0f};
    material.ambient = {0.1f, 0.2f, 0.3f, 0.0f};
    ShowBall(material);
    QImage image = Grab();
    const float light = kLitWhite / 255.0f;
    const QColor lit(std::lround((0.1f + light * 0.5f) * 255),
                     std::lround((0.2f + light * 0.25f) * 255), std::lround(0.3f * 255));
    EXPECT_TRUE(Near(image.pixelColor(At({0, 10, -14})), lit, 2));
    EXPECT_TRUE(Near(image.pixelColor(At({-2, 8, -13})), lit, 2));

    material.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    material.ambient = {0.3f, 0.3f, 0.3f, 0.0f};
    material.toonIndex = 0;
    material.edge = true;
    // A toon file the model names but that does not exist: the default ramp stands in.
    ShowBall(material, "/nonexistent/toon01.bmp");
    image = Grab();
    const QColor right = image.pixelColor(At({3.2f, 10, -12.4f}));
    EXPECT_GT(Luma(image.pixelColor(At({0, 10, -14}))), 100);
    EXPECT_GT(Luma(right), Luma(image.pixelColor(At({-3.2f, 10, -12.4f}))) + 30);
    // The lit colour tops out at ambient + 0.604 x diffuse; the ramp only darkens it.
    EXPECT_LE(Luma(right), 0.3f * 255 + 0.604f * 0.8f * 255 + 3);
}

// A PMX model whose faces name vertices past 65535 is drawn from its whole indices: the
// ball's vertices come after 70000 others gathered far off in one point, so indices cut to
// 16 bits would draw only specks there and no ball.
TEST_F(ModelWindowTest, AModelOfMoreVerticesThanSixteenBitsNumberIsDrawn)
{
    CModelMaterial material;
    material.diffuse = {0.5f, 0.25f, 0.0f, 1.0f};
    material.ambient = {0.1f, 0.2f, 0.3f, 0.0f};
    const CModelDocument ball = MakeBall({0, 10, -10}, 4.0f, material);
    constexpr std::uint32_t kFiller = 70000;
    CModelDocument large = ball;
    CModelVertex far;
    far.position = {0, 10, 500};
    large.vertices.assign(kFiller, far);
    large.vertices.insert(large.vertices.end(), ball.vertices.begin(), ball.vertices.end());
    for (std::uint32_t& index : large.indices)
        index += kFiller;
    PmxFile file = PmxFromModel(large);
    file.header.vertexIndexSize = 4;
    m_model = std::move(*ReadModelFile(PmxTestWriter(file).Write(), ""));
    ASSERT_EQ(m_model.vertices.size(), kFiller + ball.vertices.size());
    m_window->ClearInstances();
    m_window->CreateInstance(m_model);

    const QImage image = Grab();
    const float light = kLitWhite / 255.0f;
    const QColor lit(std::lround((0.1f + light * 0.5f) * 255),
                     std::lround((0.2f + light * 0.25f) * 255), std::lround(0.3f * 255));
    EXPECT_TRUE(Near(image.pixelColor(At({0, 10, -14})), lit, 2));
    EXPECT_TRUE(Near(image.pixelColor(At({-2, 8, -13})), lit, 2));
    EXPECT_FALSE(Near(image.pixelColor(At({0, 16, -10})), lit, 2));
}

// Texture files are found beside the model whatever the case of their names and with either
// separator; Targa files (no signature) by their name, our own reader taking those Qt cannot
// read; sphere maps are bitmaps whatever their extension. The stages multiply the lit white,
// a sphere map adds where the material says, a missing file is skipped.
TEST_F(ModelWindowTest, TexturesAndSphereMapsFromFilesBesideTheModel)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Tex")));
    const auto writeImage = [&](const char* name, QColor colour, const char* format) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(folder.filePath(QLatin1String(name)), format));
    };
    writeImage("Tex/Skin.PNG", Qt::red, "PNG");
    QFile targa(folder.filePath(QStringLiteral("old.tga"))); // blue, without the newer footer
    ASSERT_TRUE(targa.open(QIODevice::WriteOnly));
    targa.write(TgaHeader(2, 8, 8, 24) + QByteArray("\xFF\0\0", 3).repeated(8 * 8));
    targa.close();
    writeImage("metal.sph", QColor(128, 255, 64), "BMP");
    writeImage("shine.spa", QColor(0, 64, 200), "BMP");

    constexpr int w = kLitWhite;
    const struct {
        const char* texture;
        const char* sphere;
        bool add;
        QColor expected;
    } stages[] = {
        {"tex\\skin.png", "", false, {w, 0, 0}},
        {"OLD.TGA", "", false, {0, 0, w}},
        {"missing.bmp", "", false, {w, w, w}},
        {"", "metal.sph", false, {w * 128 / 255, w, w * 64 / 255}},
        {"", "shine.spa", true, {w, w + 64, 255}},
    };
    for (const auto& stage : stages) {
        CModelMaterial material;
        material.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
        // No name gives the folder itself, which the lookup passes over.
        material.texturePath = folder.filePath(QLatin1String(stage.texture)).toStdString();
        material.spherePath = folder.filePath(QLatin1String(stage.sphere)).toStdString();
        material.sphereAdd = stage.add;
        ShowBall(material);
        const QColor front = Grab().pixelColor(At({0, 10, -14}));
        EXPECT_TRUE(Near(front, stage.expected, *stage.sphere ? 3 : 2))
            << stage.texture << stage.sphere << ": " << front.name().toStdString();
    }
}

// A fully transparent material is not drawn at all (alpha test), which leaves its outline
// alone: the pushed-out back faces, black. Without the edge flag, or hidden, nothing shows.
TEST_F(ModelWindowTest, OutlineIsBlackOnlyForEdgeMaterialsAndDrawnAgainOnANewContext)
{
    CModelMaterial material;
    material.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    ShowBall(material);
    EXPECT_TRUE(Near(Grab().pixelColor(At({2, 12, -13})), kScreenOverWhite, 3));
    material.edge = true;
    CGLModelInstance& ball = ShowBall(material);
    ball.instance().visible = false;
    EXPECT_TRUE(Near(Grab().pixelColor(At({2, 12, -13})), kScreenOverWhite, 3));
    ball.instance().visible = true;
    const QImage before = Grab();
    EXPECT_TRUE(Near(before.pixelColor(At({0, 10, -14})), QColor(0, 0, 0), 0));
    EXPECT_TRUE(Near(before.pixelColor(At({2, 12, -13})), QColor(0, 0, 0), 0));

    // Moved into another top-level window the view gets a new context: everything that
    // lived on the old one (shaders, grid, pad, screen, the dancers' buffers) is made again,
    // and the picture is the same.
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

// An instance that keeps no outline mesh (its skinning leaves it as it was) draws no outline.
TEST_F(ModelWindowTest, NoOutlineWhileTheInstanceKeepsNone)
{
    CModelMaterial material;
    material.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    material.edge = true;
    CGLModelInstance& ball = ShowBall(material);
    EXPECT_TRUE(Near(Grab().pixelColor(At({2, 12, -13})), QColor(0, 0, 0), 0));
    ball.instance().outlines = false;
    EXPECT_TRUE(Near(Grab().pixelColor(At({2, 12, -13})), kScreenOverWhite, 3));
}

} // namespace
} // namespace zelvane::test
