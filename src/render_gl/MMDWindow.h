#pragma once

#include "render_gl/GLModelInstance.h"
#include "render_gl/ProjectionWindow.h"

#include <array>
#include <memory>
#include <vector>

namespace zelvane {

// A projection window that owns posed model instances and the ten default toon ramps, and
// draws every visible instance: its outline, then its materials.
class CMMDWindow : public CProjectionWindow {
    Q_OBJECT
public:
    explicit CMMDWindow(QWidget* parent = nullptr);
    ~CMMDWindow() override;

    // A new instance of `model` (which must outlive it), drawn after those made before.
    // Throws InvalidArgumentError for a model whose indices lead outside its lists.
    CGLModelInstance& CreateInstance(const CModelDocument& model);
    void ClearInstances();
    const std::vector<std::unique_ptr<CGLModelInstance>>& instances() const { return m_instances; }

    // Makes the instances' GPU objects and uploads new poses (also done when drawing); the
    // context must be current.
    void PrepareInstances();

    // The light direction in camera space, normalised: what the toon ramps are read
    // against.
    Vector3 ToonLight() const;

protected:
    void CreateResources() override;
    void ReleaseResources() override;
    void DrawScene(CSceneProgram& program) override;

private:
    std::vector<std::unique_ptr<CGLModelInstance>> m_instances;
    std::array<std::unique_ptr<QOpenGLTexture>, CModelDocument::kToonCount> m_defaultToons;
};

} // namespace zelvane
