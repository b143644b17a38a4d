#pragma once

#include "model/Matrix.h"
#include "model/Vector.h"

#include <QMatrix4x4>
#include <QOpenGLShaderProgram>

#include <map>
#include <memory>

namespace zelvane {

// The shaders of the 3D view. They do what the fixed-function pipeline the scene was
// designed for did with a single ambient light: a constant lit colour per draw call, then
// up to three texture stages (colour texture, sphere map, toon ramp) applied in that order,
// the alpha test and the Direct3D depth range. Every draw of the view (grid, axes,
// outlines, materials, pads, screen) is a choice of stages and uniforms.
//
// Each combination of stages is a program of its own, built when first used: a software
// renderer runs both sides of a branch on a uniform, so a shader that only might sample a
// texture costs as much as one that does, and one that might discard loses its early depth
// test.
//
// Vertex attributes: 0 position, 1 normal, 2 texture coordinate, and where a draw asks for
// them 3 the outline's width share and 4 the sub-texture coordinate. Samplers: units 0, 1,
// 2. Set the state, then Use() right before each draw call.
class CSceneProgram {
public:
    static constexpr int kPositionAttribute = 0;
    static constexpr int kNormalAttribute = 1;
    static constexpr int kTexCoordAttribute = 2;
    static constexpr int kEdgeScaleAttribute = 3;
    static constexpr int kSubTexCoordAttribute = 4;
    static constexpr int kColourUnit = 0;
    static constexpr int kSphereUnit = 1;
    static constexpr int kToonUnit = 2;

    // The second stage: none, a sphere map multiplied or added, or a sub-texture (the
    // sphere unit's picture read by attribute 4 and multiplied).
    enum class Sphere { None, Multiply, Add, SubTexture };

    CSceneProgram();
    ~CSceneProgram();

    // Builds the plainest and the fullest variant: false with the compiler's log in `log`
    // when the shaders do not build here.
    bool Create(QString* log);
    // Binds the variant for the current stages and gives it the current state. False when
    // that variant does not build (nothing should be drawn then).
    bool Use();

    // World, view and projection as our row-vector matrices.
    void SetTransforms(const Matrix& world, const Matrix& view, const Matrix& projection);
    // The colour the light leaves on the surface, before any texture.
    void SetLitColour(const Color4& colour) { m_litColour = colour; }
    // Which stages are on. Each texture must be bound to its unit by the caller.
    void SetStages(bool colourTexture, Sphere sphere, bool toonTexture);
    // Non-zero: each position is pushed out along its normal by this width times the
    // vertex's attribute 3, as an outline drawn from the skinned mesh itself. 0: positions
    // are drawn as they are.
    void SetOutlineWidth(float width) { m_outlineWidth = width; }
    // The camera-space light direction the toon ramp is looked up against (normalised).
    void SetToonLight(const Vector3& direction) { m_toonLight = direction; }
    // Pixels whose alpha is 0 are not drawn.
    void SetAlphaTest(bool enabled) { m_alphaTest = enabled; }

private:
    struct Variant;

    // One bit per stage and for the alpha test.
    int Key() const;
    Variant* Build(int key, QString* log);

    std::map<int, std::unique_ptr<Variant>> m_variants;
    QMatrix4x4 m_worldViewProjection;
    QMatrix4x4 m_worldView;
    Color4 m_litColour;
    Vector3 m_toonLight;
    bool m_colourTexture = false;
    Sphere m_sphere = Sphere::None;
    float m_outlineWidth = 0.0f;
    bool m_toonTexture = false;
    bool m_alphaTest = false;
};

} // namespace zelvane
