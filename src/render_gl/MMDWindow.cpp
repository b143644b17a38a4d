#include "render_gl/MMDWindow.h"

#include "render/SpriteSheets.h"

namespace zelvane {

CMMDWindow::CMMDWindow(QWidget* parent)
    : CProjectionWindow(parent)
{
}

CMMDWindow::~CMMDWindow()
{
    // Instances hold GPU objects: they go while the context is still there.
    if (ready()) {
        makeCurrent();
        ReleaseResources();
        doneCurrent();
    }
    m_instances.clear();
}

CGLModelInstance& CMMDWindow::CreateInstance(const CModelDocument& model)
{
    m_instances.push_back(std::make_unique<CGLModelInstance>(model));
    update();
    return *m_instances.back();
}

void CMMDWindow::ClearInstances()
{
    if (m_instances.empty())
        return;
    if (ready()) {
        makeCurrent();
        for (auto& instance : m_instances)
            instance->Release();
        doneCurrent();
    }
    m_instances.clear();
    update();
}

Vector3 CMMDWindow::ToonLight() const
{
    // Directions go through the inverse transpose; as a direction (w = 0) only the upper
    // 3 x 3 of it counts.
    const std::optional<Matrix> inverse = MatrixInverse(view());
    if (!inverse)
        return Normalize(kLightDirection);
    const Matrix inverseTranspose = MatrixTranspose(*inverse);
    return Normalize(TransformNormal(kLightDirection, inverseTranspose));
}

void CMMDWindow::PrepareInstances()
{
    if (!ready())
        return;
    for (auto& instance : m_instances)
        instance->Prepare(gl());
}

void CMMDWindow::CreateResources()
{
    const CSpriteSheets& sheets = CSpriteSheets::Get();
    for (int i = 0; i < CModelDocument::kToonCount; ++i) {
        auto toon = std::make_unique<QOpenGLTexture>(
            sheets.toon(i).convertToFormat(QImage::Format_RGBA8888),
            QOpenGLTexture::DontGenerateMipMaps);
        toon->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
        // The ramp is read by the light's angle from 0 to 1; beyond the ends it keeps its
        // end colours rather than wrapping into the other end.
        toon->setWrapMode(QOpenGLTexture::ClampToEdge);
        m_defaultToons[static_cast<std::size_t>(i)] = std::move(toon);
    }
}

void CMMDWindow::ReleaseResources()
{
    for (auto& instance : m_instances)
        instance->Release();
    for (auto& toon : m_defaultToons)
        toon.reset();
}

void CMMDWindow::DrawScene(CSceneProgram& program)
{
    std::array<QOpenGLTexture*, CModelDocument::kToonCount> toons{};
    for (std::size_t i = 0; i < toons.size(); ++i)
        toons[i] = m_defaultToons[i].get();
    const Vector3 toonLight = ToonLight();
    const Color4 light = LightAmbient();
    for (auto& instance : m_instances) {
        if (!instance->instance().visible)
            continue;
        instance->Prepare(gl());
        instance->Draw(gl(), program, toons, toonLight, light);
    }
}

} // namespace zelvane
