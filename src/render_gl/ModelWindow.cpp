#include "render_gl/ModelWindow.h"

#include "chart/Score.h"
#include "render/SpriteSheets.h"

namespace zelvane {

struct CModelWindow::QuadVertex {
    Vector3 position;
    Vector3 normal;
    Vector2 uv;
};

namespace {

constexpr int kQuadCorners = 4;
constexpr std::uint16_t kQuadIndices[] = {0, 1, 2, 2, 3, 0};
// Lit by emission alone: the texture's own colours.
constexpr Color4 kQuadColour{1.0f, 1.0f, 1.0f, 1.0f};

std::unique_ptr<QOpenGLTexture> MakeTexture(const QImage& image)
{
    auto texture = std::make_unique<QOpenGLTexture>(image.convertToFormat(QImage::Format_RGBA8888),
                                                    QOpenGLTexture::DontGenerateMipMaps);
    texture->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
    texture->setWrapMode(QOpenGLTexture::ClampToEdge);
    return texture;
}

} // namespace

CModelWindow::CModelWindow(QWidget* parent)
    : CMMDWindow(parent)
{
    m_chart.SetChartLayout(nullptr);
    m_chartImage = &m_chart.Render(0);
}

CModelWindow::~CModelWindow()
{
    if (ready()) {
        makeCurrent();
        ReleaseResources();
        doneCurrent();
    }
}

void CModelWindow::SetChartLayout(const CScore* score, float panelSize)
{
    m_chart.SetChartLayout(score);
    m_panelSize = panelSize;
    m_chartChanged = true;
    update();
}

void CModelWindow::SetClocksPerRow(std::int32_t clocksPerRow)
{
    m_chart.SetClocksPerRow(clocksPerRow);
}

void CModelWindow::SetScreenColor(std::uint32_t color)
{
    m_chart.SetScreenColor(color);
}

void CModelWindow::RenderChart(std::int32_t frame)
{
    m_chartImage = &m_chart.Render(frame);
    m_chartChanged = true;
    update();
}

void CModelWindow::CreateResources()
{
    CMMDWindow::CreateResources();
    m_padTexture = MakeTexture(CSpriteSheets::Get().pad());
    m_screenTexture = std::make_unique<QOpenGLTexture>(QOpenGLTexture::Target2D);
    m_screenTexture->setFormat(QOpenGLTexture::RGBA8_UNorm);
    m_screenTexture->setSize(CChartImage::kWidth, CChartImage::kHeight);
    m_screenTexture->allocateStorage(QOpenGLTexture::BGRA, QOpenGLTexture::UInt32_RGBA8_Rev);
    m_screenTexture->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
    m_screenTexture->setWrapMode(QOpenGLTexture::ClampToEdge);
    m_chartChanged = true;

    m_quadArray = std::make_unique<QOpenGLVertexArrayObject>();
    m_quadArray->create();
    m_quadArray->bind();
    m_quadBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    m_quadBuffer->setUsagePattern(QOpenGLBuffer::StreamDraw);
    m_quadBuffer->create();
    m_quadBuffer->bind();
    m_quadBuffer->allocate(kQuadCorners * static_cast<int>(sizeof(QuadVertex)));
    gl().glEnableVertexAttribArray(CSceneProgram::kPositionAttribute);
    gl().glVertexAttribPointer(CSceneProgram::kPositionAttribute, 3, GL_FLOAT, GL_FALSE,
                               sizeof(QuadVertex),
                               reinterpret_cast<void*>(offsetof(QuadVertex, position)));
    gl().glEnableVertexAttribArray(CSceneProgram::kTexCoordAttribute);
    gl().glVertexAttribPointer(CSceneProgram::kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE,
                               sizeof(QuadVertex),
                               reinterpret_cast<void*>(offsetof(QuadVertex, uv)));
    m_quadIndices = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::IndexBuffer);
    m_quadIndices->create();
    m_quadIndices->bind();
    m_quadIndices->allocate(kQuadIndices, sizeof kQuadIndices);
    m_quadArray->release();
}

void CModelWindow::ReleaseResources()
{
    m_quadArray.reset();
    m_quadBuffer.reset();
    m_quadIndices.reset();
    m_padTexture.reset();
    m_screenTexture.reset();
    CMMDWindow::ReleaseResources();
}

void CModelWindow::DrawScene(CSceneProgram& program)
{
    CMMDWindow::DrawScene(program);

    // Quads show their texture as it is, blended by its alpha, from both sides.
    gl().glDisable(GL_CULL_FACE);
    gl().glEnable(GL_BLEND);
    gl().glBlendEquation(GL_FUNC_ADD);
    gl().glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    program.SetAlphaTest(false);
    program.SetLitColour(kQuadColour);
    program.SetStages(true, CSceneProgram::Sphere::None, false);

    const int pads = padCount();
    const float size = m_panelSize;
    for (int i = 0; i < pads; ++i) {
        const float x0 = -static_cast<float>(pads) * size * 0.5f + static_cast<float>(i) * size;
        const QuadVertex corners[kQuadCorners] = {
            {{x0, kPadHeight, size / 2}, {}, {0.0f, 0.0f}},
            {{x0 + size, kPadHeight, size / 2}, {}, {1.0f, 0.0f}},
            {{x0 + size, kPadHeight, -size / 2}, {}, {1.0f, 1.0f}},
            {{x0, kPadHeight, -size / 2}, {}, {0.0f, 1.0f}},
        };
        DrawQuad(program, *m_padTexture, corners);
    }

    if (m_chartChanged && m_chartImage) {
        // The painter's premultiplied ARGB words go up unchanged, in the byte order of the
        // packed format, and are blended as premultiplied colour below.
        m_screenTexture->setData(QOpenGLTexture::BGRA, QOpenGLTexture::UInt32_RGBA8_Rev,
                                 m_chartImage->constBits());
        m_chartChanged = false;
    }
    gl().glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    const QuadVertex screen[kQuadCorners] = {
        {{-kScreenHalfWidth, kScreenHeight, kScreenZ}, {}, {0.0f, 0.0f}},
        {{kScreenHalfWidth, kScreenHeight, kScreenZ}, {}, {1.0f, 0.0f}},
        {{kScreenHalfWidth, 0.0f, kScreenZ}, {}, {1.0f, 1.0f}},
        {{-kScreenHalfWidth, 0.0f, kScreenZ}, {}, {0.0f, 1.0f}},
    };
    DrawQuad(program, *m_screenTexture, screen);
}

void CModelWindow::DrawQuad(CSceneProgram& program, QOpenGLTexture& texture,
                            const QuadVertex* corners)
{
    if (!program.Use())
        return;
    texture.bind(CSceneProgram::kColourUnit);
    m_quadArray->bind();
    m_quadBuffer->bind();
    m_quadBuffer->write(0, corners, kQuadCorners * static_cast<int>(sizeof(QuadVertex)));
    gl().glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, nullptr);
    m_quadArray->release();
}

} // namespace zelvane
