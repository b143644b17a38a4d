#pragma once

#include "model/Matrix.h"
#include "model/Vector.h"

#include <QOpenGLShaderProgram>

namespace zelvane {

// The one shader program of the 3D view. It does what the fixed-function pipeline the
// scene was designed for did with a single ambient light: a constant lit colour per draw
// call, then up to three texture stages (colour texture, sphere map, toon ramp) applied in
// that order, the alpha test and the Direct3D depth range. Every draw of the view (grid,
// axes, outlines, materials, pads, screen) is a choice of these uniforms.
//
// Vertex attributes: 0 position, 1 normal, 2 texture coordinate. Samplers: units 0, 1, 2.
class CSceneProgram {
public:
    static constexpr int kPositionAttribute = 0;
    static constexpr int kNormalAttribute = 1;
    static constexpr int kTexCoordAttribute = 2;
    static constexpr int kColourUnit = 0;
    static constexpr int kSphereUnit = 1;
    static constexpr int kToonUnit = 2;

    // False with the compiler's log in `log` when the shaders do not build.
    bool Create(QString* log);
    void Bind();

    // World, view and projection as our row-vector matrices.
    void SetTransforms(const Matrix& world, const Matrix& view, const Matrix& projection);
    // The colour the light leaves on the surface, before any texture.
    void SetLitColour(const Color4& colour);
    // Which stages are on. Each texture must be bound to its unit by the caller.
    void SetStages(bool colourTexture, bool sphereTexture, bool sphereAdd, bool toonTexture);
    // The camera-space light direction the toon ramp is looked up against (normalised).
    void SetToonLight(const Vector3& direction);
    // Pixels whose alpha is 0 are not drawn.
    void SetAlphaTest(bool enabled);

private:
    QOpenGLShaderProgram m_program;
    int m_worldViewProjection = -1;
    int m_worldView = -1;
    int m_litColour = -1;
    int m_colourTexture = -1;
    int m_sphereTexture = -1;
    int m_sphereAdd = -1;
    int m_toonTexture = -1;
    int m_toonLight = -1;
    int m_alphaTest = -1;
};

} // namespace zelvane
