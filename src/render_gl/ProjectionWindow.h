#pragma once

#include "model/Matrix.h"
#include "model/Vector.h"
#include "render_gl/SceneProgram.h"

#include <QOpenGLBuffer>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVertexArrayObject>
#include <QOpenGLWidget>
#include <QPoint>

#include <cstdint>
#include <memory>
#include <span>

namespace zelvane {

// A 3D window with an orbiting camera, one ambient light, the floor grid and the three axes.
// The camera turns the scene about `target` while the eye stays on the Z axis looking
// towards +Z; the right button rotates it one degree per pixel, the middle button pans, the
// wheel moves the eye two units per notch and a right double-click puts it back.
//
// All drawing happens in PaintScene, so a frame can also be drawn into any framebuffer the
// caller binds (the benchmark does). Subclasses add their scene in DrawScene.
class CProjectionWindow : public QOpenGLWidget, protected QOpenGLFunctions_3_3_Core {
    Q_OBJECT
public:
    static constexpr Vector3 kDefaultTarget{0.0f, 10.0f, 0.0f};
    static constexpr float kDefaultDistance = 50.0f;
    static constexpr float kDefaultFieldOfView = 0.47123888f; // 27 degrees
    static constexpr float kNear = 1.0f;
    static constexpr float kFar = 10000.0f;
    static constexpr float kRadiansPerPixel = 0.017453292f;
    static constexpr float kPanPerPixel = 0.04f;
    static constexpr float kDollyPerNotch = 2.0f;
    static constexpr Vector3 kLightDirection{-0.5f, -1.0f, 0.5f};
    static constexpr std::uint32_t kLightColour = 0xFF9A9A9A;
    // The share of the picture's half width and half height that FramePoints fills.
    static constexpr float kFrameFill = 0.9f;

    explicit CProjectionWindow(QWidget* parent = nullptr);
    ~CProjectionWindow() override;

    // The camera's defaults, then a redraw.
    void ResetCamera();
    // Keeps the camera's rotation and moves its target and distance so that every point of
    // `points` shows, with a margin, at the window's present size; then a redraw.
    void FramePoints(std::span<const Vector3> points);
    const Vector3& target() const { return m_target; }
    const Vector3& rotation() const { return m_rotation; }
    float distance() const { return m_distance; }
    const Matrix& orbit() const { return m_orbit; }
    const Matrix& view() const { return m_view; }
    const Matrix& projection() const { return m_projection; }
    // The light's ambient colour, each channel of kLightColour over 255.
    static Color4 LightAmbient();

    // 0xAARRGGBB the frame is cleared to.
    void SetClearColour(std::uint32_t colour);
    std::uint32_t clearColour() const { return m_clearColour; }

    // Draws a whole frame of `width` x `height` pixels into the bound framebuffer. The
    // window's context must be current and the window initialised (ready()).
    void PaintScene(int width, int height);
    // Whether the context is up and the shaders built.
    bool ready() const { return m_ready; }

signals:
    // The context or the shaders could not be made; the window draws nothing.
    void unavailable(const QString& reason);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // GPU objects of subclasses, made once the context is current and released before it
    // goes (a context can be lost and made again when the widget moves to another window).
    virtual void CreateResources() { }
    virtual void ReleaseResources() { }
    // What subclasses draw after the grid and axes, with `program` bound and the camera's
    // transforms set.
    virtual void DrawScene(CSceneProgram& program) { (void)program; }
    QOpenGLFunctions_3_3_Core& gl() { return *this; }

    void UpdateOrbit();
    void UpdateView();
    void UpdateProjection(int width, int height);

private:
    enum class Drag { None, Rotate, Pan };

    void CreateGrid();
    void DrawGrid();
    void Release();
    // Whatever lived on a context that goes is released with it; initializeGL makes it
    // again on the next one.
    void OnContextLost();

    bool m_ready = false;
    std::uint32_t m_clearColour = 0xFFFFFFFF;
    Vector3 m_target = kDefaultTarget;
    Vector3 m_rotation;
    float m_distance = kDefaultDistance;
    float m_fieldOfView = kDefaultFieldOfView;
    Matrix m_orbit;
    Matrix m_view;
    Matrix m_projection;
    Drag m_drag = Drag::None;
    QPoint m_lastPoint;

    std::unique_ptr<CSceneProgram> m_program;
    std::unique_ptr<QOpenGLVertexArrayObject> m_gridArray;
    std::unique_ptr<QOpenGLBuffer> m_gridBuffer;
    int m_gridVertexCount = 0;
};

} // namespace zelvane
