#pragma once

#include "model/ModelInstance.h"
#include "render_gl/SceneProgram.h"

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

    // The black outline: pushed-out back faces of the materials that have one; nothing while
    // the instance's `outlines` is cleared.
    void DrawEdges(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program);
    // The materials in file order. `defaultToons` stand in for toon files the model lacks;
    // `toonLight` is the camera-space light direction, `light` the light's ambient colour.
    void Draw(QOpenGLFunctions_3_3_Core& gl, CSceneProgram& program,
              const std::array<QOpenGLTexture*, CModelDocument::kToonCount>& defaultToons,
              const Vector3& toonLight, const Color4& light);

    // The file an image path of the model names, found case-insensitively folder by folder
    // (models come from systems that ignore case, and write '\' between folders); empty if
    // there is none.
    static std::string FindFile(const std::string& path);
    // A texture from an image file (BMP, PNG, JPEG, TGA; ".sph" and ".spa" are BMP), or
    // null if it cannot be read.
    static std::unique_ptr<QOpenGLTexture> LoadTexture(const std::string& path);
    // The colour and sphere-map files the model names that FindFile cannot find, each once,
    // in the order of the materials. Such a material draws without its picture (plain white
    // where the picture was all it had), so the user is told which files to look for. Toon
    // files are left out: the default ramps stand in for them.
    static std::vector<std::string> MissingFiles(const CModelDocument& model);

private:
    struct MaterialTextures {
        std::unique_ptr<QOpenGLTexture> texture;
        std::unique_ptr<QOpenGLTexture> sphere;
    };

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
    // GL_UNSIGNED_SHORT or GL_UNSIGNED_INT, as the index buffer was filled.
    GLenum m_indexType = GL_UNSIGNED_SHORT;
    std::size_t m_indexSize = sizeof(std::uint16_t);
    std::vector<MaterialTextures> m_textures;
    std::array<std::unique_ptr<QOpenGLTexture>, CModelDocument::kToonCount> m_toonTextures;
    // Where each material's indices start.
    std::vector<std::size_t> m_firstIndex;
    // The lowest and highest slot each material's faces use.
    std::vector<std::pair<GLuint, GLuint>> m_vertexRange;
};

} // namespace zelvane
