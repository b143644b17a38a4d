#include "TestData.h"
#include "app/AppTestSupport.h"
#include "model/Matrix.h"
#include "render_gl/GLModelInstance.h"

#include <QEnterEvent>

namespace zelvane {
namespace {

class AppModelView : public test::FrameTest {
protected:
    QString WriteModel(const QString& name, const std::vector<std::string>& fileNames,
                       float size = 1.0f)
    {
        test::WriteTriangleModel(Path(name), fileNames, size);
        return Path(name);
    }

    // Opens a model as the user does, answering the box that shows its comment.
    void OpenModel(const QString& path)
    {
        auto informed = test::AnswerMessage();
        ASSERT_TRUE(frame->OpenFile(path));
        ASSERT_TRUE(*informed);
        ASSERT_EQ(frame->document().model().path, path.toStdString());
    }

    QString Message() const { return frame->statusBar()->currentMessage(); }
};

QString Missing(std::uint32_t id, std::initializer_list<std::string_view> args)
{
    return ToQString(FormatString(id, args));
}

// The status bar names the pictures a model lacks, once each, as the model names them (a
// file that differs only in case is found); a long list is cut short with the rest in the
// detail, and a model with every picture takes the message back. Found without OpenGL.
TEST_F(AppModelView, AModelsMissingPicturesAreNamedInTheStatusBar)
{
    test::WriteBytes(Path(QStringLiteral("present.png")), QByteArray("any bytes"));
    OpenModel(WriteModel(QStringLiteral("dancer.pmd"),
                         {"blouse.png", "Present.PNG", "blouse.png*shine.sph", "tex\\skirt.bmp"}));
    EXPECT_EQ(Message(),
              Missing(IDS_TEXTURES_NOT_FOUND, {"blouse.png、shine.sph、tex\\skirt.bmp"}));
    EXPECT_EQ(frame->modelView()->missingTextures(),
              (QStringList{"blouse.png", "shine.sph", "tex\\skirt.bmp"}));
    EXPECT_TRUE(frame->statusDetail().isEmpty());

    OpenModel(WriteModel(QStringLiteral("many.pmd"), {"a.png", "b.png", "c.png", "d.png*e.sph"}));
    EXPECT_EQ(Message(), Missing(IDS_TEXTURES_NOT_FOUND_MORE, {"a.png、b.png、c.png", "2"}));
    EXPECT_EQ(frame->statusDetail(), QStringLiteral("a.png、b.png、c.png、d.png、e.sph"));

    OpenModel(WriteModel(QStringLiteral("whole.pmd"), {"present.png", ""}));
    EXPECT_TRUE(frame->modelView()->missingTextures().isEmpty());
    EXPECT_EQ(Message(), LoadQString(IDS_IDLE_MESSAGE));

    // A document read whole, as a restored copy is, brings its model along.
    ZlvmDocumentData data;
    data.modelPath = ToStdString(Path(QStringLiteral("dancer.pmd")));
    const QString document = Path(QStringLiteral("song.zlvm"));
    WriteFileAtomically(ToPath(document), WriteZlvm(data));
    frame->document().OpenDocument(ToPath(document));
    EXPECT_EQ(Message(),
              Missing(IDS_TEXTURES_NOT_FOUND, {"blouse.png、shine.sph、tex\\skirt.bmp"}));
}

// A model made by another program: its blouse picture is not beside it.
TEST_F(AppModelView, TheSharedModelsMissingBlouseIsNamed)
{
    const std::filesystem::path mei = test::SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(mei);
    OpenModel(FromPath(mei));
    EXPECT_TRUE(frame->modelView()->missingTextures().contains(QStringLiteral("blouse.png")));
    EXPECT_FALSE(frame->modelView()->missingTextures().contains(QStringLiteral("skirt.png")));
    EXPECT_TRUE(Message().contains(QStringLiteral("blouse.png"))) << Message().toStdString();
}

// Over the 3D window the status bar lists its mouse controls; leaving gives back the message
// and detail it showed before. Over the grey pane of a display without OpenGL the mouse does
// nothing, and the reason stays.
TEST_F(AppModelView, TheMouseControlsShowWhileThePointerIsOverThe3DView)
{
    OpenModel(WriteModel(QStringLiteral("many.pmd"), {"a.png", "b.png", "c.png", "d.png"}));
    const QString before = Message();
    const QString detail = frame->statusDetail();
    ASSERT_FALSE(detail.isEmpty());
    CModelView* view = frame->modelView();
    const QPointF inside(view->width() / 2.0, view->height() / 2.0);
    QEnterEvent enter(inside, inside, view->mapToGlobal(inside));
    QApplication::sendEvent(view, &enter);
    if (view->window()) {
        EXPECT_EQ(Message(), LoadQString(IDS_MODEL_VIEW_CONTROLS));
        EXPECT_TRUE(frame->statusDetail().isEmpty());
    } else {
        EXPECT_EQ(Message(), before);
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_EQ(Message(), before);
    EXPECT_EQ(frame->statusDetail(), detail);
}

// Where the point lands in the window's picture at its present size: -1 to 1 across and up.
Vector3 Projected(const CModelWindow& window, const Vector3& point)
{
    const float aspect = static_cast<float>(window.width()) / static_cast<float>(window.height());
    const Matrix projection = MatrixPerspectiveFovLH(CModelWindow::kDefaultFieldOfView, aspect,
                                                     CModelWindow::kNear, CModelWindow::kFar);
    return TransformCoord(point, window.orbit() * window.view() * projection);
}

// Whether a dancer or a pad reaches the left or right edge of the picture: anything there
// but the white floor, its grey grid and the coloured axes.
bool SomethingAtTheSides(const QImage& image)
{
    for (const int x : {0, image.width() - 1})
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            const int high = std::max({c.red(), c.green(), c.blue()});
            const int low = std::min({c.red(), c.green(), c.blue()});
            const int middle = c.red() + c.green() + c.blue() - high - low;
            const bool floor = high - low < 12 && low > 150;
            const bool axis = high > middle + 60;
            if (!floor && !axis)
                return true;
        }
    return false;
}

// At the window's first size the default camera cuts the COUPLE dancers off at the sides;
// 全体表示 (F) brings every vertex of both and the pads inside, for the mannequin and for a
// model far wider than the screen (the framing's own suite turns the camera).
TEST_F(AppModelView, FrameAllShowsBothCoupleDancersAndThePads)
{
    CModelWindow* window = frame->modelView()->window();
    if (!window)
        GTEST_SKIP() << "no OpenGL 3.3 on this display (run under Xvfb)";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QString mannequin = Path(QStringLiteral("mannequin.pmd"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZELVANE_MANNEQUIN), mannequin));
    const QString wide = WriteModel(QStringLiteral("wide.pmd"), {""}, 40.0f);
    CModelView* view = frame->modelView();
    AddNotes({{96, 1, 0}, {96, 6, 0}}, Style::COUPLE); // each dancer to its own pad
    for (const QString& model : {mannequin, wide}) {
        SCOPED_TRACE(model.toStdString());
        OpenModel(model);
        ASSERT_EQ(view->instances().size(), 2u);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->waitingForDance(); }, 20000));
        window->ResetCamera();

        const float half = window->panelSize() * 0.5f;
        std::vector<Vector3> points{
            {-2 * half, 0, -half}, {2 * half, 0, -half}, {-2 * half, 0, half}, {2 * half, 0, half}};
        for (const CGLModelInstance* dancer : view->instances())
            for (std::size_t i = 0; i < dancer->instance().skinnedVertices.size(); ++i)
                points.push_back(dancer->instance().skinnedVertices[i].position);
        const auto widest = [&] {
            float reach = 0.0f;
            for (const Vector3& point : points) {
                const Vector3 at = Projected(*window, point);
                reach = std::max({reach, std::abs(at.x), std::abs(at.y)});
            }
            return reach;
        };
        EXPECT_GT(widest(), 1.0f) << "the default camera shows both dancers already";
        EXPECT_TRUE(SomethingAtTheSides(window->grabFramebuffer()));

        Press(Qt::Key_F, Qt::NoModifier);
        EXPECT_LE(widest(), 1.0f);
        EXPECT_FALSE(SomethingAtTheSides(window->grabFramebuffer()));
    }
}

} // namespace
} // namespace zelvane
