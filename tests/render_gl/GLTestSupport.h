#pragma once

#include "model/Matrix.h"
#include "model/ModelDocument.h"
#include "render/SpriteSheets.h"
#include "render_gl/GLModelInstance.h"
#include "render_gl/GLSupport.h"
#include "render_gl/ModelWindow.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelvane::test {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Skips the calling test where no OpenGL 3.3 context can be made.
#define SKIP_WITHOUT_OPENGL()                                                                      \
    do {                                                                                           \
        const QString reason = CGLSupport::Unavailable();                                          \
        if (!reason.isEmpty())                                                                     \
            GTEST_SKIP() << "no OpenGL 3.3 context on this display (run under Xvfb): "             \
                         << reason.toStdString();                                                  \
    } while (false)

// Where a world point lands in the window's pixels with the window's current camera.
inline QPoint ToPixel(const CProjectionWindow& window, const Vector3& point)
{
    const Vector3 ndc = TransformCoord(point, window.orbit() * window.view() * window.projection());
    return {static_cast<int>(std::lround((ndc.x + 1.0f) * 0.5f * kWidth)),
            static_cast<int>(std::lround((1.0f - ndc.y) * 0.5f * kHeight))};
}

inline int Luma(QColor c)
{
    return (c.red() * 299 + c.green() * 587 + c.blue() * 114) / 1000;
}

inline bool Near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// Whether some pixel next to `at` passes `test`. One-pixel lines are blended with the
// background where multisampling smooths them, so they are found by their hue.
template<class Test> bool AnyPixel(const QImage& image, QPoint at, Test test)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (image.rect().contains(p) && test(image.pixelColor(p)))
                return true;
        }
    return false;
}

// The colour at the middle of the pad's picture, as drawn on the floor.
inline bool IsPad(QColor colour)
{
    const QImage& pad = CSpriteSheets::Get().pad();
    return Near(colour, pad.pixelColor(pad.width() / 2, pad.height() / 2), 24);
}

// A grid line over a white floor: grey, clearly darker than white.
inline bool IsGridGrey(QColor c)
{
    const int high = std::max({c.red(), c.green(), c.blue()});
    const int low = std::min({c.red(), c.green(), c.blue()});
    return high - low < 10 && high < 235 && low > 150;
}

// Red, green or blue (channel 0, 1, 2) well above the other two.
inline bool IsHue(QColor c, int channel)
{
    const int v[3] = {c.red(), c.green(), c.blue()};
    return v[channel] > v[(channel + 1) % 3] + 60 && v[channel] > v[(channel + 2) % 3] + 60;
}

// A ball of one material around `centre`, bound to a single root bone: a model whose
// silhouette, outline and shading are easy to find.
inline CModelDocument MakeBall(const Vector3& centre, float radius, const CModelMaterial& material)
{
    constexpr int kRings = 24;
    constexpr int kSegments = 32;
    constexpr float kPi = std::numbers::pi_v<float>;
    CModelDocument model;
    model.bones.emplace_back().position = centre;
    for (int ring = 0; ring <= kRings; ++ring)
        for (int segment = 0; segment <= kSegments; ++segment) {
            const float theta = kPi * static_cast<float>(ring) / kRings;
            const float phi = 2.0f * kPi * static_cast<float>(segment) / kSegments;
            CModelVertex& vertex = model.vertices.emplace_back();
            vertex.normal = {std::sin(theta) * std::cos(phi), std::cos(theta),
                             std::sin(theta) * std::sin(phi)};
            vertex.position = centre + vertex.normal * radius;
            vertex.uv
                = {static_cast<float>(segment) / kSegments, static_cast<float>(ring) / kRings};
        }
    for (int ring = 0; ring < kRings; ++ring)
        for (int segment = 0; segment < kSegments; ++segment) {
            // Clockwise seen from outside, the front of a face in these conventions.
            const int above = ring * (kSegments + 1) + segment;
            const int below = above + kSegments + 1;
            for (int i : {above, above + 1, below, above + 1, below + 1, below})
                model.indices.push_back(static_cast<std::uint32_t>(i));
        }
    model.materials.push_back(material);
    model.materials.back().faceVertexCount = static_cast<int>(model.indices.size());
    return model;
}

// A Targa header for a `width` x `height` picture of `type` and `bits`.
inline QByteArray TgaHeader(int type, int width, int height, int bits, int descriptor = 0)
{
    QByteArray header(18, '\0');
    header[2] = static_cast<char>(type);
    header[12] = static_cast<char>(width);
    header[14] = static_cast<char>(height);
    header[16] = static_cast<char>(bits);
    header[17] = static_cast<char>(descriptor);
    return header;
}

// A shown, ready 3D window of the test size; skipped without OpenGL.
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

    // Shows only a ball of `material` (radius 4 around (0, 10, -10)) with toon file `toon`.
    CGLModelInstance& ShowBall(const CModelMaterial& material, const std::string& toon = {})
    {
        m_model = MakeBall({0, 10, -10}, 4.0f, material);
        m_model.toonPaths[0] = toon;
        m_window->ClearInstances();
        return m_window->CreateInstance(m_model);
    }

    std::unique_ptr<CModelWindow> m_window;
    CModelDocument m_model;
};

} // namespace zelvane::test
