#include "render_gl/ProjectionWindow.h"

#include "render_gl/GLSupport.h"
#include "render_gl/OrbitFit.h"
#include "text/StringTable.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

#include <vector>

namespace zelvane {

namespace {

constexpr float kGridHalfSize = 50.0f;
constexpr float kGridStep = 5.0f;
constexpr float kAxisLength = 100.0f;
constexpr Color4 kGridColour{0.75f, 0.75f, 0.75f, 1.0f};
constexpr int kWheelNotch = 120;
constexpr float kChannelScale = 0.003921569f; // 1 / 255

Color4 FromArgb(std::uint32_t argb)
{
    return {static_cast<float>((argb >> 16) & 0xFF) / 255.0f,
            static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>(argb >> 24) / 255.0f};
}

// Grid lines first (x lines, then z lines), then the x, y and z axes, two points each.
std::vector<Vector3> GridLines()
{
    std::vector<Vector3> points;
    const int steps = static_cast<int>(2.0f * kGridHalfSize / kGridStep);
    for (int i = 0; i <= steps; ++i) {
        const float x = -kGridHalfSize + static_cast<float>(i) * kGridStep;
        points.push_back({x, 0.0f, -kGridHalfSize});
        points.push_back({x, 0.0f, kGridHalfSize});
    }
    for (int i = 0; i <= steps; ++i) {
        const float z = -kGridHalfSize + static_cast<float>(i) * kGridStep;
        points.push_back({-kGridHalfSize, 0.0f, z});
        points.push_back({kGridHalfSize, 0.0f, z});
    }
    points.push_back({0.0f, 0.0f, 0.0f});
    points.push_back({kAxisLength, 0.0f, 0.0f});
    points.push_back({0.0f, 0.0f, 0.0f});
    points.push_back({0.0f, kAxisLength, 0.0f});
    points.push_back({0.0f, 0.0f, 0.0f});
    points.push_back({0.0f, 0.0f, -kAxisLength});
    return points;
}

constexpr int kAxisCount = 3;

} // namespace

CProjectionWindow::CProjectionWindow(QWidget* parent)
    : QOpenGLWidget(parent)
{
    QSurfaceFormat format;
    format.setVersion(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    // Smooth edges where they are cheap; without them the picture is the same, only harder.
    format.setSamples(CGLSupport::Samples());
    setFormat(format);
    setFocusPolicy(Qt::StrongFocus);
    UpdateOrbit();
    UpdateView();
    UpdateProjection(std::max(width(), 1), std::max(height(), 1));
}

CProjectionWindow::~CProjectionWindow()
{
    // The base class destroys the context after this object is gone: its last signal must
    // not reach OnContextLost.
    if (QOpenGLContext* current = context())
        disconnect(current, nullptr, this, nullptr);
    // The GPU objects must go while their context is current.
    if (m_ready) {
        makeCurrent();
        Release();
        doneCurrent();
    }
}

Color4 CProjectionWindow::LightAmbient()
{
    const auto channel
        = [](std::uint32_t value) { return static_cast<float>(value & 0xFF) * kChannelScale; };
    return {channel(kLightColour >> 16), channel(kLightColour >> 8), channel(kLightColour),
            channel(kLightColour >> 24)};
}

void CProjectionWindow::ResetCamera()
{
    m_target = kDefaultTarget;
    m_rotation = {};
    m_distance = kDefaultDistance;
    m_fieldOfView = kDefaultFieldOfView;
    UpdateOrbit();
    UpdateView();
    update();
}

void CProjectionWindow::FramePoints(std::span<const Vector3> points)
{
    const float aspect
        = static_cast<float>(std::max(width(), 1)) / static_cast<float>(std::max(height(), 1));
    const OrbitFit fit = FitOrbit(points, m_rotation, m_fieldOfView, aspect, kFrameFill, kNear);
    m_target = fit.target;
    m_distance = fit.distance;
    UpdateOrbit();
    UpdateView();
    UpdateProjection(width(), height());
    update();
}

void CProjectionWindow::SetClearColour(std::uint32_t colour)
{
    m_clearColour = colour;
    update();
}

void CProjectionWindow::UpdateOrbit()
{
    m_orbit = MatrixTranslation(-m_target) * MatrixRotationZ(-m_rotation.z)
        * MatrixRotationY(-m_rotation.y) * MatrixRotationX(-m_rotation.x);
}

void CProjectionWindow::UpdateView()
{
    m_view = MatrixLookAtLH({0.0f, 0.0f, -m_distance}, {0.0f, 0.0f, 100.0f - m_distance},
                            {0.0f, 1.0f, 0.0f});
}

void CProjectionWindow::UpdateProjection(int width, int height)
{
    const float aspect
        = static_cast<float>(std::max(width, 1)) / static_cast<float>(std::max(height, 1));
    m_projection = MatrixPerspectiveFovLH(m_fieldOfView, aspect, kNear, kFar);
}

void CProjectionWindow::initializeGL()
{
    // A second initialisation follows a lost context: what lived on the old one is gone.
    Release();
    QOpenGLContext* context = QOpenGLWidget::context();
    if (!context || !context->isValid()
        || context->format().version()
            < qMakePair(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion)
        || !initializeOpenGLFunctions()) {
        emit unavailable(CGLSupport::Reason(IDS_GL_NO_CORE_CONTEXT));
        return;
    }
    m_program = std::make_unique<CSceneProgram>();
    QString log;
    if (!m_program->Create(&log)) {
        m_program.reset();
        emit unavailable(
            CGLSupport::Reason(IDS_GL_NO_SHADERS, {}, log.section(QLatin1Char('\n'), 0, 0)));
        return;
    }
    connect(context, &QOpenGLContext::aboutToBeDestroyed, this, &CProjectionWindow::OnContextLost,
            Qt::UniqueConnection);
    CreateGrid();
    m_ready = true;
    CreateResources();
}

void CProjectionWindow::OnContextLost()
{
    makeCurrent();
    Release();
    doneCurrent();
}

void CProjectionWindow::Release()
{
    if (!m_ready)
        return;
    ReleaseResources();
    m_gridArray.reset();
    m_gridBuffer.reset();
    m_program.reset();
    m_ready = false;
}

void CProjectionWindow::CreateGrid()
{
    const std::vector<Vector3> points = GridLines();
    m_gridArray = std::make_unique<QOpenGLVertexArrayObject>();
    m_gridArray->create();
    m_gridArray->bind();
    m_gridBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    m_gridBuffer->create();
    m_gridBuffer->bind();
    m_gridBuffer->allocate(points.data(), static_cast<int>(points.size() * sizeof(Vector3)));
    m_gridVertexCount = static_cast<int>(points.size());
    glEnableVertexAttribArray(CSceneProgram::kPositionAttribute);
    glVertexAttribPointer(CSceneProgram::kPositionAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(Vector3),
                          nullptr);
    m_gridArray->release();
}

void CProjectionWindow::resizeGL(int width, int height)
{
    UpdateProjection(width, height);
}

void CProjectionWindow::paintGL()
{
    if (!m_ready)
        return;
    const qreal ratio = devicePixelRatioF();
    PaintScene(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
}

void CProjectionWindow::PaintScene(int width, int height)
{
    if (!m_ready)
        return;
    UpdateProjection(width, height);
    glViewport(0, 0, width, height);
    const Color4 clear = FromArgb(m_clearColour);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(clear.r, clear.g, clear.b, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The frame stays opaque whatever is blended into it, so the widget never shows through.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);

    m_program->SetTransforms(m_orbit, m_view, m_projection);
    DrawGrid();
    DrawScene(*m_program);
    glBindVertexArray(0);
}

void CProjectionWindow::DrawGrid()
{
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    m_program->SetStages(false, CSceneProgram::Sphere::None, false);
    m_program->SetAlphaTest(false);
    m_gridArray->bind();
    const int axisVertices = 2 * kAxisCount;
    const int gridVertices = m_gridVertexCount - axisVertices;
    m_program->SetLitColour(kGridColour);
    if (m_program->Use())
        glDrawArrays(GL_LINES, 0, gridVertices);
    const Color4 axisColours[kAxisCount]
        = {{1.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f}};
    for (int axis = 0; axis < kAxisCount; ++axis) {
        m_program->SetLitColour(axisColours[axis]);
        if (m_program->Use())
            glDrawArrays(GL_LINES, gridVertices + 2 * axis, 2);
    }
    m_gridArray->release();
}

void CProjectionWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        m_drag = Drag::Rotate;
    else if (event->button() == Qt::MiddleButton)
        m_drag = Drag::Pan;
    else
        return QOpenGLWidget::mousePressEvent(event);
    // Qt grabs the mouse for the widget a button went down on, so a drag follows the
    // pointer outside the window too.
    m_lastPoint = event->position().toPoint();
}

void CProjectionWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if ((event->button() == Qt::RightButton && m_drag == Drag::Rotate)
        || (event->button() == Qt::MiddleButton && m_drag == Drag::Pan))
        m_drag = Drag::None;
    else
        QOpenGLWidget::mouseReleaseEvent(event);
}

void CProjectionWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const float dx = static_cast<float>(point.x() - m_lastPoint.x());
    const float dy = static_cast<float>(point.y() - m_lastPoint.y());
    if (m_drag == Drag::Rotate) {
        m_rotation.x += dy * kRadiansPerPixel;
        m_rotation.y += dx * kRadiansPerPixel;
    } else if (m_drag == Drag::Pan) {
        // Move the target in the plane of the screen: into view space, sideways, back.
        const Matrix orbitView = m_orbit * m_view;
        const std::optional<Matrix> inverse = MatrixInverse(orbitView);
        if (inverse) {
            Vector3 inView = TransformCoord(m_target, orbitView);
            inView.x += dx * -kPanPerPixel;
            inView.y += dy * kPanPerPixel;
            m_target = TransformCoord(inView, *inverse);
        }
    } else {
        return QOpenGLWidget::mouseMoveEvent(event);
    }
    m_lastPoint = point;
    UpdateOrbit();
    update();
}

void CProjectionWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        return QOpenGLWidget::mouseDoubleClickEvent(event);
    m_drag = Drag::None;
    ResetCamera();
}

void CProjectionWindow::wheelEvent(QWheelEvent* event)
{
    // Whole notches only, as a wheel message counts them.
    const int notches = event->angleDelta().y() / kWheelNotch;
    event->accept();
    if (notches == 0)
        return;
    m_distance -= static_cast<float>(notches) * kDollyPerNotch;
    UpdateView();
    update();
}

} // namespace zelvane
