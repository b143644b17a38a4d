#include "render_gl/SceneProgram.h"

namespace zelvane {

namespace {

enum StageBit {
    kColourBit = 1,
    kSphereBit = 2,
    kSphereAddBit = 4,
    kToonBit = 8,
    kAlphaTestBit = 16,
    kSubTextureBit = 32,
    kOutlineBit = 64,
    kAllBits = 127,
};

// The matrices arrive transposed (see ToShader): M^T · p in the shader is p · M.
constexpr const char* kVertexShader = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;
uniform mat4 worldViewProjection;
uniform mat4 worldView;
out vec3 cameraNormal;
out vec3 cameraPosition;
out vec2 vertexTexCoord;
#ifdef OUTLINE
layout(location = 3) in float edgeScale;
uniform float outlineWidth;
#endif
#ifdef SUB_TEXTURE
layout(location = 4) in vec2 subTexCoord;
out vec2 vertexSubTexCoord;
#endif
void main()
{
#ifdef OUTLINE
    // The outline pushes the skinned surface out along its normal.
    vec3 point = position + normal * (outlineWidth * edgeScale);
#else
    vec3 point = position;
#endif
    vec4 clip = worldViewProjection * vec4(point, 1.0);
    // The projection maps depth to 0..1 as Direct3D does; OpenGL clips -1..1.
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
    cameraNormal = mat3(worldView) * normal;
    cameraPosition = (worldView * vec4(point, 1.0)).xyz;
    vertexTexCoord = texCoord;
#ifdef SUB_TEXTURE
    vertexSubTexCoord = subTexCoord;
#endif
}
)";

constexpr const char* kFragmentShader = R"(
in vec3 cameraNormal;
in vec3 cameraPosition;
in vec2 vertexTexCoord;
#ifdef SUB_TEXTURE
in vec2 vertexSubTexCoord;
#endif
uniform vec4 litColour;
uniform vec3 toonLight;
uniform sampler2D colourSampler;
uniform sampler2D sphereSampler;
uniform sampler2D toonSampler;
out vec4 fragmentColour;
void main()
{
    vec4 colour = litColour;
    vec3 n = normalize(cameraNormal);
#ifdef COLOUR_TEXTURE
    colour *= texture(colourSampler, vertexTexCoord);
#endif
#ifdef SPHERE_TEXTURE
#ifdef SUB_TEXTURE
    // A sub-texture is a second picture laid on by the vertices' own coordinates.
    vec3 sphere = texture(sphereSampler, vertexSubTexCoord).rgb;
#else
    // The camera-space reflection of the eye ray, the generated sphere-map coordinate.
    vec3 r = reflect(normalize(cameraPosition), n);
    vec3 sphere = texture(sphereSampler, vec2(0.5 + 0.5 * r.x, 0.5 - 0.5 * r.y)).rgb;
#endif
#ifdef SPHERE_ADD
    colour.rgb = clamp(colour.rgb + sphere, 0.0, 1.0);
#else
    colour.rgb *= sphere;
#endif
    // This stage's alpha is the lit colour's alone.
    colour.a = litColour.a;
#endif
#ifdef TOON_TEXTURE
    // Faces towards the light read the top of the ramp, faces away the bottom.
    colour.rgb *= texture(toonSampler, vec2(n.x, 0.5 + 0.5 * dot(n, toonLight))).rgb;
    colour.a = litColour.a;
#endif
#ifdef ALPHA_TEST
    if (colour.a <= 0.0)
        discard;
#endif
    fragmentColour = colour;
}
)";

QMatrix4x4 ToShader(const Matrix& m)
{
    // QMatrix4x4 reads our rows as its rows; the shader multiplies column vectors, so it
    // gets the transpose.
    return QMatrix4x4(&m.m[0][0]).transposed();
}

QByteArray Header(int key)
{
    QByteArray header("#version 330 core\n");
    const std::pair<int, const char*> defines[]
        = {{kColourBit, "COLOUR_TEXTURE"}, {kSphereBit, "SPHERE_TEXTURE"},
           {kSphereAddBit, "SPHERE_ADD"},  {kToonBit, "TOON_TEXTURE"},
           {kAlphaTestBit, "ALPHA_TEST"},  {kSubTextureBit, "SUB_TEXTURE"},
           {kOutlineBit, "OUTLINE"}};
    for (const auto& [bit, name] : defines)
        if (key & bit)
            header += QByteArray("#define ") + name + "\n";
    return header;
}

} // namespace

struct CSceneProgram::Variant {
    QOpenGLShaderProgram program;
    bool built = false;
    int worldViewProjection = -1;
    int worldView = -1;
    int litColour = -1;
    int toonLight = -1;
    int outlineWidth = -1;
};

CSceneProgram::CSceneProgram() = default;
CSceneProgram::~CSceneProgram() = default;

bool CSceneProgram::Create(QString* log)
{
    return Build(0, log) != nullptr && Build(kAllBits, log) != nullptr;
}

CSceneProgram::Variant* CSceneProgram::Build(int key, QString* log)
{
    auto found = m_variants.find(key);
    if (found == m_variants.end()) {
        auto variant = std::make_unique<Variant>();
        QOpenGLShaderProgram& program = variant->program;
        const QByteArray header = Header(key);
        variant->built
            = program.addShaderFromSourceCode(QOpenGLShader::Vertex, header + kVertexShader)
            && program.addShaderFromSourceCode(QOpenGLShader::Fragment, header + kFragmentShader)
            && program.link();
        if (variant->built) {
            variant->worldViewProjection = program.uniformLocation("worldViewProjection");
            variant->worldView = program.uniformLocation("worldView");
            variant->litColour = program.uniformLocation("litColour");
            variant->toonLight = program.uniformLocation("toonLight");
            variant->outlineWidth = program.uniformLocation("outlineWidth");
            program.bind();
            program.setUniformValue("colourSampler", kColourUnit);
            program.setUniformValue("sphereSampler", kSphereUnit);
            program.setUniformValue("toonSampler", kToonUnit);
        }
        found = m_variants.emplace(key, std::move(variant)).first;
    }
    Variant* variant = found->second.get();
    if (!variant->built) {
        if (log)
            *log = variant->program.log();
        return nullptr;
    }
    return variant;
}

bool CSceneProgram::Use()
{
    Variant* variant = Build(Key(), nullptr);
    if (!variant)
        return false;
    QOpenGLShaderProgram& program = variant->program;
    program.bind();
    program.setUniformValue(variant->worldViewProjection, m_worldViewProjection);
    program.setUniformValue(variant->worldView, m_worldView);
    program.setUniformValue(variant->litColour, m_litColour.r, m_litColour.g, m_litColour.b,
                            m_litColour.a);
    if (variant->toonLight >= 0)
        program.setUniformValue(variant->toonLight, m_toonLight.x, m_toonLight.y, m_toonLight.z);
    if (variant->outlineWidth >= 0)
        program.setUniformValue(variant->outlineWidth, m_outlineWidth);
    return true;
}

int CSceneProgram::Key() const
{
    return (m_colourTexture ? kColourBit : 0) | (m_sphere != Sphere::None ? kSphereBit : 0)
        | (m_sphere == Sphere::Add ? kSphereAddBit : 0)
        | (m_sphere == Sphere::SubTexture ? kSubTextureBit : 0) | (m_toonTexture ? kToonBit : 0)
        | (m_alphaTest ? kAlphaTestBit : 0) | (m_outlineWidth != 0.0f ? kOutlineBit : 0);
}

void CSceneProgram::SetTransforms(const Matrix& world, const Matrix& view, const Matrix& projection)
{
    const Matrix worldView = world * view;
    m_worldViewProjection = ToShader(worldView * projection);
    m_worldView = ToShader(worldView);
}

void CSceneProgram::SetStages(bool colourTexture, Sphere sphere, bool toonTexture)
{
    m_colourTexture = colourTexture;
    m_sphere = sphere;
    m_toonTexture = toonTexture;
}

} // namespace zelvane
