#include "GLTestSupport.h"

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "render_gl/ModelView.h"

namespace zelvane::test {
namespace {

const QColor kScreen(127, 127, 127); // the default black screen over the white background

class ModelViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_OPENGL();
        m_document.NewDocument();
        m_view = std::make_unique<CModelView>(&m_document, &m_viewState);
        m_view->resize(kWidth, kHeight);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        ASSERT_NE(m_view->window(), nullptr);
        m_view->InitialUpdate();
    }

    void LoadMannequin()
    {
        m_document.SetModel(ZELVANE_MANNEQUIN);
        ASSERT_NE(m_document.model().document.get(), nullptr) << m_document.model().loadError;
        m_document.UpdateAllViews(nullptr, UpdateHint::Model);
    }

    // The picture once every dancer is posed at the view's frame.
    QImage GrabPosed()
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_view->waitingForDance(); }, 20000));
        return m_view->window()->grabFramebuffer();
    }

    QPoint At(const Vector3& point) const { return ToPixel(*m_view->window(), point); }

    // Whether a body stands at chest height in front of the screen at `x`.
    bool BodyAt(const QImage& image, float x) const
    {
        return !Near(image.pixelColor(At({x, 13, 0})), kScreen, 6);
    }

    CStepDocument m_document;
    CViewState m_viewState;
    std::unique_ptr<CModelView> m_view;
};

// Without a model no dancer stands on the pad, so the screen shows where one would stand
// (the empty scene itself is the window's suite's). The mannequin covers it at chest height.
// COUPLE has two dancers on two pads, DOUBLE one dancer on two.
TEST_F(ModelViewTest, TheDancersStandOnTheirPadsOnceThereIsAModel)
{
    EXPECT_TRUE(m_view->instances().empty());
    EXPECT_FALSE(BodyAt(GrabPosed(), 0));
    // The pads are as large as the document's panels, model or not.
    const QPoint beyondDefault = At({0, 0.05f, -ModelMeasurements::kDefaultPanelSize / 2 - 1.5f});
    EXPECT_FALSE(IsPad(GrabPosed().pixelColor(beyondDefault)));
    m_document.SetMotionOptions({ModelMeasurements::kDefaultPanelSize + 4, true, false});
    m_document.UpdateAllViews(nullptr, UpdateHint::Model);
    EXPECT_TRUE(IsPad(GrabPosed().pixelColor(beyondDefault)));

    LoadMannequin();
    ASSERT_EQ(m_view->instances().size(), 1u);
    QImage image = GrabPosed();
    const QColor chest = image.pixelColor(At({0, 13, 0}));
    EXPECT_TRUE(BodyAt(image, 0));
    EXPECT_FALSE(Near(chest, QColor(Qt::white), 20));
    EXPECT_FALSE(Near(chest, QColor(0, 255, 0), 60)); // the y axis stays behind the body

    const float size = m_document.motionOptions().panelSize;
    for (const Style style : {Style::COUPLE, Style::DOUBLE}) {
        SCOPED_TRACE(StyleName(style));
        m_document.scores().SetCurrent(m_document.scores().FindOrCreate(style, "BASIC"));
        m_document.UpdateAllViews(nullptr, UpdateHint::CurrentScore);
        EXPECT_EQ(m_view->instances().size(), style == Style::COUPLE ? 2u : 1u);
        EXPECT_EQ(m_view->window()->padCount(), 2);
        image = GrabPosed();
        for (const float x : {-size / 2, size / 2}) {
            EXPECT_TRUE(IsPad(image.pixelColor(At({x, 0.05f, -size / 2 + 0.5f})))) << x;
            if (style == Style::COUPLE) {
                EXPECT_TRUE(BodyAt(image, x)) << x;
            }
        }
    }
}

TEST_F(ModelViewTest, FollowsTheCursorUnlessPlayingAndTakesTheDocumentsColours)
{
    LoadMannequin();
    m_viewState.SetCurrentTime(96);
    m_document.UpdateAllViews(nullptr, UpdateHint::CurrentTime);
    EXPECT_EQ(m_view->frame(), m_document.tempoMap().ClockToFrame(96));
    // Through the tempo map: at a stop's clock the pose of its note, before the stop; a clock
    // later, after it (120 BPM, 2 s from frame 30).
    CTempoMap stopped(120.0f);
    ASSERT_TRUE(stopped.Add(CStop{96, 2000.0}).empty());
    m_document.SetTempoMap(stopped);
    m_document.UpdateAllViews(nullptr, UpdateHint::CurrentTime);
    EXPECT_EQ(m_view->frame(), 30);
    m_viewState.SetCurrentTime(97);
    m_document.UpdateAllViews(nullptr, UpdateHint::CurrentTime);
    EXPECT_EQ(m_view->frame(), 90); // 90.3125
    m_viewState.SetCurrentTime(96);
    m_document.UpdateAllViews(nullptr, UpdateHint::CurrentTime);
    m_viewState.SetPlaying(true);
    m_viewState.SetCurrentTime(192);
    m_document.UpdateAllViews(nullptr, UpdateHint::CurrentTime);
    EXPECT_EQ(m_view->frame(), m_document.tempoMap().ClockToFrame(96));
    // The playback clock's frames drive it instead; the lead-in poses as frame 0.
    m_view->followFrame(-20);
    EXPECT_EQ(m_view->frame(), -20);
    EXPECT_TRUE(BodyAt(GrabPosed(), 0));
    m_viewState.SetPlaying(false);

    m_document.SetColors({0x563412, 0xFF0000}); // background, screen (blue): 0x00BBGGRR
    m_document.UpdateAllViews(nullptr, UpdateHint::Color);
    const QImage image = GrabPosed();
    EXPECT_TRUE(Near(image.pixelColor(At({12.5f, 0, -2.5f})), QColor(0x12, 0x34, 0x56), 0));
    EXPECT_TRUE(
        Near(image.pixelColor(At({10, 17, 20})), QColor(0x12 / 2, 0x34 / 2, (0x56 + 255) / 2), 3));
}

// Notes whether the 3D window had made its context when its top-level window was first
// exposed.
class ExposeWatch : public QObject {
public:
    ExposeWatch(QWindow* window, const CModelView& view)
        : m_view(view)
    {
        window->installEventFilter(this);
    }
    bool exposed = false;
    bool readyWhenExposed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !exposed
            && static_cast<QWindow*>(watched)->isExposed()) {
            exposed = true;
            readyWhenExposed = m_view.window() && m_view.window()->ready();
        }
        return false;
    }

private:
    const CModelView& m_view;
};

// The 3D window makes its context and draws only once its top-level window is on the
// screen, so the window appears without waiting for the driver; then it starts by itself,
// at the view's size.
TEST(ModelViewStartTest, The3DWindowStartsOnlyOnceItsWindowIsOnTheScreen)
{
    SKIP_WITHOUT_OPENGL();
    CStepDocument document;
    document.NewDocument();
    CViewState viewState;
    CModelView view(&document, &viewState);
    view.resize(kWidth, kHeight);
    ASSERT_NE(view.window(), nullptr);
    view.show();
    ASSERT_NE(view.windowHandle(), nullptr);
    EXPECT_FALSE(view.window()->ready());
    EXPECT_FALSE(view.windowStarted());
    ExposeWatch watch(view.windowHandle(), view);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_TRUE(watch.exposed);
    EXPECT_FALSE(watch.readyWhenExposed);

    ASSERT_TRUE(QTest::qWaitFor([&] { return view.window()->ready(); }));
    EXPECT_TRUE(view.windowStarted());
    EXPECT_TRUE(view.window()->isVisible());
    EXPECT_EQ(view.window()->size(), QSize(kWidth, kHeight));
    view.InitialUpdate();
    // It draws the scene: the pad at the origin, the screen above it.
    const QImage image = view.window()->grabFramebuffer();
    EXPECT_TRUE(IsPad(image.pixelColor(ToPixel(*view.window(), {0, 0.05f, 0}))));
    EXPECT_TRUE(Near(image.pixelColor(ToPixel(*view.window(), {10, 17, 20})), kScreen, 3));
}

} // namespace
} // namespace zelvane::test
