#include "render_gl/GLModelInstance.h"

#include "model/MeshSkinner.h"
#include "render_gl/GLSupport.h"
#include "render_gl/TargaImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvane {

namespace {

constexpr int kFacePoints = 3;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size()
        && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The alpha a material draws with: its diffuse alpha.
float LitAlpha(const CModelMaterial& material)
{
    return std::clamp(material.diffuse.a, 0.0f, 1.0f);
}

// The lit colour of a material under the one ambient light: its own ambient as emission,
// plus the light's ambient times the diffuse colour, which the material also uses as its
// ambient reflectance.
Color4 LitColour(const CModelMaterial& material, const Color4& light)
{
    const auto channel = [](float emissive, float ambient, float reflectance) {
        return std::clamp(emissive + ambient * reflectance, 0.0f, 1.0f);
    };
    return {channel(material.ambient.r, light.r, material.diffuse.r),
            channel(material.ambient.g, light.g, material.diffuse.g),
            channel(material.ambient.b, light.b, material.diffuse.b), LitAlpha(material)};
}

// A value read from a file, as a colour channel or a share: non-finite ones count as 0.
float Clamped(float value, float high)
{
    return std::isfinite(value) ? std::clamp(value, 0.0f, high) : 0.0f;
}

// How the material's sphere texture is laid on: by its mode (PMX) or its kind (PMD). A
// sub-texture needs the model's extra UVs; without them there is nothing to lay it by.
CSceneProgram::Sphere SphereStage(const CModelDocument& model, const CModelMaterial& material)
{
    if (material.sphereMode == CModelMaterial::kSphereSubTexture)
        return model.subTextureUVs.size() == model.vertices.size()
            ? CSceneProgram::Sphere::SubTexture
            : CSceneProgram::Sphere::None;
    return material.sphereAdd ? CSceneProgram::Sphere::Add : CSceneProgram::Sphere::Multiply;
}

// The picture files a material draws with (colour, sphere, own toon), empty where none.
std::array<const std::string*, 3> MaterialFiles(const CModelDocument& model,
                                                const CModelMaterial& material)
{
    static const std::string none;
    const bool sphere = SphereStage(model, material) != CSceneProgram::Sphere::None;
    return {&material.texturePath, sphere ? &material.spherePath : &none, &material.toonPath};
}

// Vertices 0 to 65535 fit a 16-bit index.
constexpr std::size_t kShortIndexVertices = 65536;

// The lowest and highest vertex that the indices [first, end) use; (0, 0) for none.
std::pair<GLuint, GLuint> VertexRange(const std::vector<std::uint32_t>& indices, std::size_t first,
                                      std::size_t end)
{
    end = std::min(end, indices.size());
    if (first >= end)
        return {0, 0};
    const auto [low, high]
        = std::minmax_element(indices.begin() + static_cast<std::ptrdiff_t>(first),
                              indices.begin() + static_cast<std::ptrdiff_t>(end));
    return {*low, *high};
}

// Whether every pixel of an RGBA8888 picture is fully opaque.
bool IsOpaque(const QImage& image)
{
    if (image.isNull())
        return false;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (row[4 * x + 3] != 0xFF)
                return false;
    }
    return true;
}

// A PMX outline's colour and width, as the file gives them within bounds.
Color4 EdgeColour(const CModelMaterial& material)
{
    const Color4& c = material.edgeColor;
    return {Clamped(c.r, 1.0f), Clamped(c.g, 1.0f), Clamped(c.b, 1.0f), Clamped(c.a, 1.0f)};
}

float EdgeWidth(const CModelMaterial& material)
{
    return CMeshSkinner::kEdgeWidth * Clamped(material.edgeSize, std::numeric_limits<float>::max());
}

// An outline of no width or no opacity would not show.
bool OutlineShows(const Color4& colour, float width)
{
    return colour.a > 0.0f && width > 0.0f;
}

// A frame of 8 bits a channel blends with the alpha in 8 bits too: from here up it is 255,
// and what lies beneath keeps no share of the pixel.
constexpr float kOpaqueInEightBits = 254.5f / 255.0f;

} // namespace

CGLModelInstance::CGLModelInstance(const CModelDocument& model)
    : m_instance(model)
{
}

CGLModelInstance::~CGLModelInstance() = default;

std::string CGLModelInstance::FindFile(const std::string& path)
{
    if (path.empty())
        return {};
    std::string normal = path;
    std::replace(normal.begin(), normal.end(), '\\', '/');
    if (QFileInfo(QString::fromStdString(normal)).isFile())
        return normal;
    // Walk the path from the root, taking each name as it is where it exists and otherwise
    // the one entry of the folder that differs only in case.
    const QStringList parts = QString::fromStdString(normal).split(QLatin1Char('/'));
    QString found = normal.starts_with('/') ? QStringLiteral("/") : QStringLiteral(".");
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        const QDir folder(found);
        if (folder.exists(part)) {
            found = folder.filePath(part);
            continue;
        }
        const QStringList entries = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& entry) {
            return entry.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            return {};
        found = folder.filePath(*match);
    }
    return QFileInfo(found).isFile() ? found.toStdString() : std::string();
}

std::vector<std::string> CGLModelInstance::MissingFiles(const CModelDocument& model)
{
    std::vector<std::string> missing;
    for (const CModelMaterial& material : model.materials)
        for (const std::string* path : MaterialFiles(model, material)) {
            if (path->empty() || std::find(missing.begin(), missing.end(), *path) != missing.end())
                continue;
            if (FindFile(*path).empty())
                missing.push_back(*path);
        }
    return missing;
}

QImage CGLModelInstance::LoadImage(const std::string& path)
{
    const std::string file = FindFile(path);
    if (file.empty())
        return {};
    QImageReader reader(QString::fromStdString(file));
    const std::string lower = Lower(file);
    // Sphere maps are bitmaps under another name. Other files are read by their suffix
    // (TGA has no signature to know it by), and by their contents where that fails.
    if (EndsWith(lower, ".sph") || EndsWith(lower, ".spa"))
        reader.setFormat("bmp");
    QImage image = reader.read();
    if (image.isNull() && EndsWith(lower, ".tga")) {
        QFile targa(QString::fromStdString(file));
        if (targa.open(QIODevice::ReadOnly))
            image = CTargaImage::Read(targa.readAll());
    }
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGBA8888);
}

std::unique_ptr<QOpenGLTexture> CGLModelInstance::LoadTexture(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    // Uploaded top row first: texture coordinate v = 0 is the top of the picture, as the
    // model's coordinates expect.
    auto texture = std::make_unique<QOpenGLTexture>(image, QOpenGLTexture::DontGenerateMipMaps);
    texture->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
    texture->setWrapMode(QOpenGLTexture::Repeat);
    return texture;
}

std::unique_ptr<QOpenGLTexture> CGLModelInstance::LoadTexture(const std::string& path)
{
    return LoadTexture(LoadImage(path));
}

void CGLModelInstance::Prepare(QOpenGLFunctions_3_3_Core& gl)
{
    if (!m_created)
        Create(gl);
    if (m_posed)
        Upload();
}

void CGLModelInstance::Create(QOpenGLFunctions_3_3_Core& gl)
{
    const CModelDocument& model = *m_instance.model;
    const CSkinnedMesh& mesh = m_instance.skinnedVertices;
    m_vertexBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    m_vertexBuffer->setUsagePattern(QOpenGLBuffer::StreamDraw);
    m_vertexBuffer->create();
    // Texture coordinates never change with the pose: they go up once, beside the stream.
    m_uvBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    m_uvBuffer->setUsagePattern(QOpenGLBuffer::StaticDraw);
    m_uvBuffer->create();
    m_uvBuffer->bind();
    m_uvBuffer->allocate(mesh.uvs().data(), static_cast<int>(mesh.uvs().size() * sizeof(Vector2)));
    m_indexBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::IndexBuffer);
    m_indexBuffer->setUsagePattern(QOpenGLBuffer::StaticDraw);
    m_indexBuffer->create();

    // The stream holds every slot's position, then every normal, then every outline point.
    // OpenGL takes an offset into the bound buffer in a pointer's place: no object is there.
    const auto block = [&mesh](std::size_t which) {
        return reinterpret_cast<void*>(which * mesh.blockSize() * sizeof(Vector3));
    };
    // Points the bound vertex array's positions at one block of the stream, and its normals
    // at the normals' block when the drawing needs them.
    const auto bindStream = [&](std::size_t positions, bool normals) {
        m_vertexBuffer->bind();
        gl.glEnableVertexAttribArray(CSceneProgram::kPositionAttribute);
        gl.glVertexAttribPointer(CSceneProgram::kPositionAttribute, 3, GL_FLOAT, GL_FALSE,
                                 sizeof(Vector3), block(positions));
        if (!normals)
            return;
        gl.glEnableVertexAttribArray(CSceneProgram::kNormalAttribute);
        gl.glVertexAttribPointer(CSceneProgram::kNormalAttribute, 3, GL_FLOAT, GL_FALSE,
                                 sizeof(Vector3), block(1));
    };
    m_meshArray = std::make_unique<QOpenGLVertexArrayObject>();
    m_meshArray->create();
    m_meshArray->bind();
    bindStream(0, true);
    m_uvBuffer->bind();
    gl.glEnableVertexAttribArray(CSceneProgram::kTexCoordAttribute);
    gl.glVertexAttribPointer(CSceneProgram::kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE,
                             sizeof(Vector2), nullptr);
    if (model.subTextureUVs.size() == model.vertices.size() && !model.vertices.empty()) {
        // In slots, as the faces name them.
        const std::vector<Vector2> subTextureUVs = mesh.InSlots(model.subTextureUVs, Vector2{});
        m_subTextureBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
        m_subTextureBuffer->setUsagePattern(QOpenGLBuffer::StaticDraw);
        m_subTextureBuffer->create();
        m_subTextureBuffer->bind();
        m_subTextureBuffer->allocate(subTextureUVs.data(),
                                     static_cast<int>(subTextureUVs.size() * sizeof(Vector2)));
        gl.glEnableVertexAttribArray(CSceneProgram::kSubTexCoordAttribute);
        gl.glVertexAttribPointer(CSceneProgram::kSubTexCoordAttribute, 2, GL_FLOAT, GL_FALSE,
                                 sizeof(Vector2), nullptr);
    }
    m_indexBuffer->bind();
    // The faces name slots, the order the skinning writes the vertices in. Meshes whose
    // slots 16 bits can number (every PMD model, most PMX ones) go up at half the size;
    // larger ones keep 32-bit indices.
    const std::vector<std::uint32_t> indices = mesh.SlotIndices(model.indices);
    if (mesh.slotCount() <= kShortIndexVertices) {
        const std::vector<std::uint16_t> shortIndices(indices.begin(), indices.end());
        m_indexType = GL_UNSIGNED_SHORT;
        m_indexSize = sizeof(std::uint16_t);
        m_indexBuffer->allocate(shortIndices.data(),
                                static_cast<int>(shortIndices.size() * m_indexSize));
    } else {
        m_indexType = GL_UNSIGNED_INT;
        m_indexSize = sizeof(std::uint32_t);
        m_indexBuffer->allocate(indices.data(), static_cast<int>(indices.size() * m_indexSize));
    }
    m_meshArray->release();

    m_edgeArray = std::make_unique<QOpenGLVertexArrayObject>();
    m_edgeArray->create();
    m_edgeArray->bind();
    if (model.IsPmx()) {
        // The shader pushes the skinned mesh out by each vertex's share of its material's
        // width, which the skinning's one outline mesh cannot hold. The shares go up in slots,
        // as the faces name them.
        std::vector<float> scales(model.vertices.size(), 1.0f);
        for (std::size_t i = 0; i < scales.size() && i < model.edgeScales.size(); ++i)
            scales[i] = Clamped(model.edgeScales[i], std::numeric_limits<float>::max());
        scales = mesh.InSlots(scales, 0.0f);
        m_edgeScaleBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
        m_edgeScaleBuffer->setUsagePattern(QOpenGLBuffer::StaticDraw);
        m_edgeScaleBuffer->create();
        m_edgeScaleBuffer->bind();
        m_edgeScaleBuffer->allocate(scales.data(), static_cast<int>(scales.size() * sizeof(float)));
        gl.glEnableVertexAttribArray(CSceneProgram::kEdgeScaleAttribute);
        gl.glVertexAttribPointer(CSceneProgram::kEdgeScaleAttribute, 1, GL_FLOAT, GL_FALSE,
                                 sizeof(float), nullptr);
        bindStream(0, true);
    } else {
        // The skinning already pushed the outline points out.
        bindStream(2, false);
    }
    m_indexBuffer->bind();
    m_edgeArray->release();

    m_textures.clear();
    m_textures.resize(model.materials.size());
    m_firstIndex.clear();
    m_vertexRange.clear();
    std::size_t first = 0;
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        const CModelMaterial& material = model.materials[i];
        const auto [texture, sphere, toon] = MaterialFiles(model, material);
        const QImage colour = LoadImage(*texture);
        m_textures[i].texture = LoadTexture(colour);
        m_textures[i].colourOpaque = IsOpaque(colour);
        m_textures[i].sphere = LoadTexture(*sphere);
        m_textures[i].toon = LoadTexture(*toon);
        if (m_textures[i].toon)
            m_textures[i].toon->setWrapMode(QOpenGLTexture::ClampToEdge);
        m_firstIndex.push_back(first);
        first += static_cast<std::size_t>(std::max(material.faceVertexCount, 0));
        // The vertices a material's faces use, so the driver transforms only those for it
        // rather than the whole mesh once per material.
        m_vertexRange.push_back(VertexRange(indices, m_firstIndex.back(), first));
    }
    for (std::size_t i = 0; i < m_toonTextures.size(); ++i) {
        m_toonTextures[i] = LoadTexture(model.toonPaths[i]);
        if (m_toonTextures[i])
            m_toonTextures[i]->setWrapMode(QOpenGLTexture::ClampToEdge);
    }
    m_created = true;
    m_posed = true;
}

void CGLModelInstance::Upload()
{
    // The whole stream each time: a fresh allocation lets the driver keep drawing from the
    // old pose while the new one arrives.
    const std::vector<Vector3>& stream = m_instance.skinnedVertices.stream();
    m_vertexBuffer->bind();
    m_vertexBuffer->allocate(stream.data(), static_cast<int>(stream.size() * sizeof(Vector3)));
    m_vertexBuffer->release();
    m_posed = false;
}

void CGLModelInstance::Release()
{
    m_meshArray.reset();
    m_edgeArray.reset();
    m_vertexBuffer.reset();
    m_uvBuffer.reset();
    m_indexBuffer.reset();
    m_edgeScaleBuffer.reset();
    m_subTextureBuffer.reset();
    m_textures.clear();
    for (auto& toon : m_toonTextures)
        toon.reset();
    m_created = false;
}

void CGLModelInstance::DrawMaterialFaces(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program,
                                         std::size_t material) const
{
    const CModelDocument& model = *m_instance.model;
    const std::size_t first = m_firstIndex[material];
    const std::size_t available = first < model.indices.size() ? model.indices.size() - first : 0;
    // A count that runs past the index list draws what there is; whole faces only.
    std::size_t count
        = std::min(static_cast<std::size_t>(std::max(model.materials[material].faceVertexCount, 0)),
                   available);
    count -= count % kFacePoints;
    if (count == 0 || !program.Use())
        return;
    const auto [low, high] = m_vertexRange[material];
    // The offset into the bound index buffer goes in a pointer's place, as OpenGL takes it.
    gl.glDrawRangeElements(GL_TRIANGLES, low, high, static_cast<GLsizei>(count), m_indexType,
                           reinterpret_cast<void*>(first * m_indexSize));
}

void CGLModelInstance::DrawEdges(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program)
{
    // Front faces are removed, so only the pushed-out back faces show, as a rim. A front
    // face is one whose corners run clockwise on the screen.
    gl.glEnable(GL_CULL_FACE);
    gl.glFrontFace(GL_CW);
    gl.glCullFace(GL_FRONT);
    program.SetStages(false, CSceneProgram::Sphere::None, false);
    program.SetAlphaTest(false);
    m_edgeArray->bind();
    const CModelDocument& model = *m_instance.model;
    if (!model.IsPmx()) {
        gl.glDisable(GL_BLEND);
        program.SetLitColour({0.0f, 0.0f, 0.0f, 0.0f});
    } else {
        gl.glEnable(GL_BLEND);
        gl.glBlendEquation(GL_FUNC_ADD);
        gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        const CModelMaterial& material = model.materials[i];
        if (!material.edge)
            continue;
        if (model.IsPmx()) {
            const Color4 colour = EdgeColour(material);
            const float width = EdgeWidth(material);
            if (!OutlineShows(colour, width))
                continue;
            program.SetLitColour(colour);
            program.SetOutlineWidth(width);
        }
        DrawMaterialFaces(gl, program, i);
    }
    program.SetOutlineWidth(0.0f);
    m_edgeArray->release();
}

CGLModelInstance::MaterialStages CGLModelInstance::Stages(std::size_t material,
                                                          const ToonTextures& defaultToons) const
{
    MaterialStages stages{m_textures[material].texture.get(), m_textures[material].sphere.get(),
                          m_textures[material].toon.get()};
    const int toonIndex = m_instance.model->materials[material].toonIndex;
    if (toonIndex >= 0 && toonIndex < CModelDocument::kToonCount) {
        const auto index = static_cast<std::size_t>(toonIndex);
        stages.toon = m_toonTextures[index] ? m_toonTextures[index].get() : defaultToons[index];
    }
    return stages;
}

std::size_t CGLModelInstance::OpaqueLead(const ToonTextures& defaultToons) const
{
    const CModelDocument& model = *m_instance.model;
    if (model.IsPmx())
        for (const CModelMaterial& material : model.materials) {
            const Color4 colour = EdgeColour(material);
            if (material.edge && OutlineShows(colour, EdgeWidth(material))
                && colour.a < kOpaqueInEightBits)
                return 0;
        }
    std::size_t lead = 0;
    for (; lead < model.materials.size(); ++lead) {
        const float alpha = LitAlpha(model.materials[lead]);
        if (alpha <= 0.0f)
            continue; // not drawn at all
        const bool textureAlpha
            = Stages(lead, defaultToons).colourAlpha() && !m_textures[lead].colourOpaque;
        if (!(alpha >= kOpaqueInEightBits) || textureAlpha)
            break;
    }
    return lead;
}

void CGLModelInstance::Draw(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program,
                            const ToonTextures& defaultToons, const Vector3& toonLight,
                            const Color4& light)
{
    if (!drawable())
        return;
    const std::size_t count = m_instance.model->materials.size();
    // Without outlines the skinning leaves the outline mesh as it was: a stale or empty pose.
    const bool edges = m_instance.outlines;
    // The outline comes after the lead of opaque materials where that is asked for and the
    // frame is drawn with GL_LEQUAL, as the window draws it.
    std::size_t lead = 0;
    GLint depthFunction = GL_LEQUAL;
    if (edges && LateOutline()) {
        gl.glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
        if (depthFunction == GL_LEQUAL)
            lead = OpaqueLead(defaultToons);
    }
    m_materialsBeforeOutline = lead;
    if (edges && lead == 0)
        DrawEdges(gl, program);
    DrawMaterials(gl, program, defaultToons, toonLight, light, 0, lead);
    if (lead > 0) {
        // With the outline first, a surface at the same depth as its outline wins the pixel
        // by GL_LEQUAL; drawn after it, the outline must be strictly nearer to win.
        gl.glDepthFunc(GL_LESS);
        DrawEdges(gl, program);
        gl.glDepthFunc(static_cast<GLenum>(depthFunction));
    }
    DrawMaterials(gl, program, defaultToons, toonLight, light, lead, count);
}

bool CGLModelInstance::LateOutline() const
{
    switch (outlineOrder) {
    case OutlineOrder::First:
        return false;
    case OutlineOrder::AfterOpaqueLead:
        return true;
    case OutlineOrder::Auto:
        break;
    }
    return CGLSupport::SoftwareRenderer();
}

void CGLModelInstance::DrawMaterials(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program,
                                     const ToonTextures& defaultToons, const Vector3& toonLight,
                                     const Color4& light, std::size_t first, std::size_t end)
{
    if (first >= end)
        return;
    gl.glEnable(GL_CULL_FACE);
    gl.glFrontFace(GL_CW);
    gl.glCullFace(GL_BACK);
    gl.glEnable(GL_BLEND);
    gl.glBlendEquation(GL_FUNC_ADD);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    program.SetToonLight(toonLight);
    m_meshArray->bind();
    const CModelDocument& model = *m_instance.model;
    bool culling = true;
    for (std::size_t i = first; i < end; ++i) {
        const CModelMaterial& material = model.materials[i];
        const MaterialStages stages = Stages(i, defaultToons);
        const auto [colour, sphere, toon] = stages;
        if (colour)
            colour->bind(CSceneProgram::kColourUnit);
        if (sphere)
            sphere->bind(CSceneProgram::kSphereUnit);
        if (toon)
            toon->bind(CSceneProgram::kToonUnit);
        const Color4 lit = LitColour(material, light);
        // Fully transparent pixels are not drawn: the alpha test drops those of the colour
        // texture where its alpha reaches the pixel, and a lit alpha of 0 leaves nothing at
        // all to draw.
        if (lit.a <= 0.0f)
            continue;
        program.SetAlphaTest(stages.colourAlpha());
        program.SetLitColour(lit);
        program.SetStages(colour != nullptr,
                          sphere ? SphereStage(model, material) : CSceneProgram::Sphere::None,
                          toon != nullptr);
        const bool bothFaces = (material.flags & CModelMaterial::kBothFaces) != 0;
        if (bothFaces == culling) {
            culling = !bothFaces;
            if (culling)
                gl.glEnable(GL_CULL_FACE);
            else
                gl.glDisable(GL_CULL_FACE);
        }
        DrawMaterialFaces(gl, program, i);
    }
    if (!culling)
        gl.glEnable(GL_CULL_FACE);
    m_meshArray->release();
}

} // namespace zelvane
