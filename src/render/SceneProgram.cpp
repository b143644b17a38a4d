#include "render/SceneProgram.h"

#include <QMatrix4x4>

namespace zelvane {

namespace {

// The matrices arrive transposed (see ToShader): M^T · p in the shader is p · M.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;
uniform mat4 worldViewProjection;
uniform mat4 worldView;
out vec3 cameraNormal;
out vec3 cameraPosition;
out vec2 vertexTexCoord;
void main()
{
    vec4 clip = worldViewProjection * vec4(position, 1.0);
    // The projection maps depth to 0..1 as Direct3D does; OpenGL clips -1..1.
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
    cameraNormal = mat3(worldView) * normal;
    cameraPosition = (worldView * vec4(position, 1.0)).xyz;
    vertexTexCoord = texCoord;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec3 cameraNormal;
in vec3 cameraPosition;
in vec2 vertexTexCoord;
uniform vec4 litColour;
uniform bool colourTexture;
uniform bool sphereTexture;
uniform bool sphereAdd;
uniform bool toonTexture;
uniform bool alphaTest;
uniform vec3 toonLight;
uniform sampler2D colourSampler;
uniform sampler2D sphereSampler;
uniform sampler2D toonSampler;
out vec4 fragmentColour;
void main()
{
    vec4 colour = litColour;
    vec3 n = normalize(cameraNormal);
    if (colourTexture)
        colour *= texture(colourSampler, vertexTexCoord);
    if (sphereTexture) {
        // The camera-space reflection of the eye ray, the generated sphere-map coordinate.
        vec3 eye = normalize(cameraPosition);
        vec3 r = reflect(eye, n);
        vec2 uv = vec2(0.5 + 0.5 * r.x, 0.5 - 0.5 * r.y);
        vec3 sphere = texture(sphereSampler, uv).rgb;
        colour.rgb = clamp(sphereAdd ? colour.rgb + sphere : colour.rgb * sphere, 0.0, 1.0);
        // This stage's alpha is the lit colour's alone.
        colour.a = litColour.a;
    }
    if (toonTexture) {
        // Faces towards the light read the top of the ramp, faces away the bottom.
        vec2 uv = vec2(n.x, 0.5 + 0.5 * dot(n, toonLight));
        colour.rgb *= texture(toonSampler, uv).rgb;
        colour.a = litColour.a;
    }
    if (alphaTest && colour.a <= 0.0)
        discard;
    fragmentColour = colour;
}
)";

QMatrix4x4 ToShader(const Matrix& m)
{
    // QMatrix4x4 reads our rows as its rows; the shader multiplies column vectors, so it
    // gets the transpose.
    return QMatrix4x4(&m.m[0][0]).transposed();
}

} // namespace

bool CSceneProgram::Create(QString* log)
{
    const bool built = m_program.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader)
        && m_program.addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader)
        && m_program.link();
    if (!built) {
        if (log)
            *log = m_program.log();
        return false;
    }
    m_worldViewProjection = m_program.uniformLocation("worldViewProjection");
    m_worldView = m_program.uniformLocation("worldView");
    m_litColour = m_program.uniformLocation("litColour");
    m_colourTexture = m_program.uniformLocation("colourTexture");
    m_sphereTexture = m_program.uniformLocation("sphereTexture");
    m_sphereAdd = m_program.uniformLocation("sphereAdd");
    m_toonTexture = m_program.uniformLocation("toonTexture");
    m_toonLight = m_program.uniformLocation("toonLight");
    m_alphaTest = m_program.uniformLocation("alphaTest");
    m_program.bind();
    m_program.setUniformValue("colourSampler", kColourUnit);
    m_program.setUniformValue("sphereSampler", kSphereUnit);
    m_program.setUniformValue("toonSampler", kToonUnit);
    return true;
}

void CSceneProgram::Bind()
{
    m_program.bind();
}

void CSceneProgram::SetTransforms(const Matrix& world, const Matrix& view, const Matrix& projection)
{
    const Matrix worldView = world * view;
    m_program.setUniformValue(m_worldViewProjection, ToShader(worldView * projection));
    m_program.setUniformValue(m_worldView, ToShader(worldView));
}

void CSceneProgram::SetLitColour(const Color4& colour)
{
    m_program.setUniformValue(m_litColour, colour.r, colour.g, colour.b, colour.a);
}

void CSceneProgram::SetStages(bool colourTexture, bool sphereTexture, bool sphereAdd,
                              bool toonTexture)
{
    m_program.setUniformValue(m_colourTexture, colourTexture);
    m_program.setUniformValue(m_sphereTexture, sphereTexture);
    m_program.setUniformValue(m_sphereAdd, sphereAdd);
    m_program.setUniformValue(m_toonTexture, toonTexture);
}

void CSceneProgram::SetToonLight(const Vector3& direction)
{
    m_program.setUniformValue(m_toonLight, direction.x, direction.y, direction.z);
}

void CSceneProgram::SetAlphaTest(bool enabled)
{
    m_program.setUniformValue(m_alphaTest, enabled);
}

} // namespace zelvane
