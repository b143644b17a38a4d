#pragma once

#include "model/ModelInstance.h"
#include "render_gl/SceneProgram.h"

#include <QImage>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLTexture>
#include <QOpenGLVertexArrayObject>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace zelvane {

// A posed model on the GPU: the CPU instance (bones, IK, skinning) and what it draws with,
// a vertex buffer streamed from the skinning after every pose (positions, normals and the
// outline), the texture coordinates, the model's indices renumbered to the skinning's
// slots, its material and toon textures. The CPU side exists at once; the GPU
// side is made on the window's context when it first draws, and again after a lost
// context.
class CGLModelInstance {
public:
    explicit CGLModelInstance(const CModelDocument& model);
    ~CGLModelInstance();
    CGLModelInstance(const CGLModelInstance&) = delete;
    CGLModelInstance& operator=(const CGLModelInstance&) = delete;

    CModelInstance& instance() { return m_instance; }
    const CModelInstance& instance() const { return m_instance; }
    // The skinned vertices changed: upload them before the next draw.
    void MarkPosed() { m_posed = true; }

    // Makes the GPU objects if they do not exist yet, and uploads a new pose. The context
    // must be current.
    void Prepare(QOpenGLFunctions_3_3_Core& gl);
    // Drops the GPU objects; the context must be current.
    void Release();
    bool drawable() const { return m_created && !m_instance.model->indices.empty(); }

    // Toon ramps by index, one for each shared toon file.
    using ToonTextures = std::array<QOpenGLTexture*, CModelDocument::kToonCount>;

    // Where the outline goes among the materials. Drawn first, every rim pixel is written
    // and then mostly covered by the surface in front; drawn after the opaque materials
    // that lead the list, most of it fails the depth test before any work is done on it,
    // which a software renderer feels. Both give the same pixels wherever those materials
    // hide what lies beneath them outright, in a frame of 8 bits a channel; the outline
    // goes after the lead only while it is opaque too. `Auto` puts it late on a software
    // renderer and first on graphics hardware.
    enum class OutlineOrder { Auto, First, AfterOpaqueLead };
    OutlineOrder outlineOrder = OutlineOrder::Auto;
    // How many materials the last frame drew before the outline.
    std::size_t materialsBeforeOutline() const { return m_materialsBeforeOutline; }

    // The materials in file order, those drawn on both faces without culling, and the
    // outline: pushed-out back faces of the materials that have one; none while the
    // instance's `outlines` is cleared. A PMD outline is black and as wide everywhere; a PMX
    // one takes its material's colour and width and each vertex's share of that width.
    // `defaultToons` stand in for shared toon files the model lacks; `toonLight` is the
    // camera-space light direction, `light` the light's ambient colour.
    void Draw(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program,
              const ToonTextures& defaultToons, const Vector3& toonLight, const Color4& light);

    // The file an image path of the model names, found case-insensitively folder by folder
    // (models come from systems that ignore case, and write '\' between folders); empty if
    // there is none.
    static std::string FindFile(const std::string& path);
    // A texture from an image file (BMP, PNG, JPEG, TGA; ".sph" and ".spa" are BMP), or
    // null if it cannot be read.
    static std::unique_ptr<QOpenGLTexture> LoadTexture(const std::string& path);
    // The colour, sphere-map and own toon files the model names that FindFile cannot find,
    // each once, in the order of the materials. Such a material draws without its picture
    // (plain white where the picture was all it had, unshaded without its toon), so the user
    // is told which files to look for. Shared toon files are left out: the default ramps
    // stand in for them. So is a sub-texture of a model without the extra UVs to lay it on,
    // which is never drawn.
    static std::vector<std::string> MissingFiles(const CModelDocument& model);

private:
    struct MaterialTextures {
        std::unique_ptr<QOpenGLTexture> texture;
        std::unique_ptr<QOpenGLTexture> sphere;
        // The material's own toon ramp, where it names one instead of a shared toon.
        std::unique_ptr<QOpenGLTexture> toon;
        // Whether every pixel of the colour texture is opaque.
        bool colourOpaque = false;
    };
    // The textures a material draws with this frame; its toon may be a shared one.
    struct MaterialStages {
        QOpenGLTexture* colour;
        QOpenGLTexture* sphere;
        QOpenGLTexture* toon;
        // Whether the colour texture's alpha reaches the pixel: a later stage takes the lit
        // alpha alone.
        bool colourAlpha() const { return colour && !sphere && !toon; }
    };

    // An image file as RGBA8888, or a null image if it cannot be read.
    static QImage LoadImage(const std::string& path);
    static std::unique_ptr<QOpenGLTexture> LoadTexture(const QImage& image);
    MaterialStages Stages(std::size_t material, const ToonTextures& defaultToons) const;
    bool LateOutline() const;
    // How many materials at the head of the list hide what lies beneath them outright (or
    // draw nothing); 0 where the outline is see-through itself.
    std::size_t OpaqueLead(const ToonTextures& defaultToons) const;
    void DrawEdges(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program);
    // Materials [first, end).
    void DrawMaterials(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program,
                       const ToonTextures& defaultToons, const Vector3& toonLight,
                       const Color4& light, std::size_t first, std::size_t end);

    void Create(QOpenGLFunctions_3_3_Core& gl);
    void Upload();
    void DrawMaterialFaces(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program,
                           std::size_t material) const;

    CModelInstance m_instance;
    bool m_posed = true;
    bool m_created = false;
    std::unique_ptr<QOpenGLVertexArrayObject> m_meshArray;
    std::unique_ptr<QOpenGLVertexArrayObject> m_edgeArray;
    std::unique_ptr<QOpenGLBuffer> m_vertexBuffer;
    std::unique_ptr<QOpenGLBuffer> m_uvBuffer;
    std::unique_ptr<QOpenGLBuffer> m_indexBuffer;
    // PMX only, uploaded once: each vertex's share of the outline width (the PMX outline is
    // pushed out from the mesh buffer by the shader), and the sub-texture coordinates.
    std::unique_ptr<QOpenGLBuffer> m_edgeScaleBuffer;
    std::unique_ptr<QOpenGLBuffer> m_subTextureBuffer;
    // GL_UNSIGNED_SHORT or GL_UNSIGNED_INT, as the index buffer was filled.
    GLenum m_indexType = GL_UNSIGNED_SHORT;
    std::size_t m_indexSize = sizeof(std::uint16_t);
    std::vector<MaterialTextures> m_textures;
    std::array<std::unique_ptr<QOpenGLTexture>, CModelDocument::kToonCount> m_toonTextures;
    // Where each material's indices start.
    std::vector<std::size_t> m_firstIndex;
    // The lowest and highest slot each material's faces use.
    std::vector<std::pair<GLuint, GLuint>> m_vertexRange;
    std::size_t m_materialsBeforeOutline = 0;
};

} // namespace zelvane
