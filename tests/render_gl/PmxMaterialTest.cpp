#include "GLTestSupport.h"
#include "model/ModelLoader.h"
#include "model/PmxFromModel.h"
#include "model/PmxTestWriter.h"

#include <QDir>
#include <QTemporaryDir>

#include <functional>

namespace zelvane::test {
namespace {

const QColor kScreenOverWhite(127, 127, 127); // a black screen at alpha 0x80
constexpr int kLitWhite = 0x9A;               // the light's share of a white diffuse colour
constexpr std::uint8_t kBothFaces = 0x01;
constexpr std::uint8_t kEdge = 0x10;

// PMX materials drawn in the 3D window: the models go through the PMX writer of the tests
// and the program's own reader, as a file beside its pictures would.
class PmxMaterialTest : public ModelWindowTest {
protected:
    void SetUp() override
    {
        ModelWindowTest::SetUp();
        ASSERT_TRUE(m_folder.isValid());
    }

    // Shows `model` as PMX after `edit` has changed its records.
    CGLModelInstance& ShowPmx(const CModelDocument& model,
                              const std::function<void(PmxFile&)>& edit)
    {
        PmxFile file = PmxFromModel(model);
        edit(file);
        m_model = std::move(*ReadModelFile(PmxTestWriter(file).Write(), Folder()));
        m_window->ClearInstances();
        return m_window->CreateInstance(m_model);
    }

    std::string Folder() const { return m_folder.path().toStdString() + "/"; }

    void WriteImage(const QString& name, QColor left, QColor right)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(left);
        for (int y = 0; y < 8; ++y)
            for (int x = 4; x < 8; ++x)
                image.setPixelColor(x, y, right);
        ASSERT_TRUE(image.save(m_folder.filePath(name), "PNG"));
    }

    QTemporaryDir m_folder;
};

CModelMaterial Plain(Color4 diffuse)
{
    CModelMaterial material;
    material.diffuse = diffuse;
    return material;
}

// A 6 x 6 square across the view at z = -10 whose front looks away from the camera.
CModelDocument BackFacingSquare(const CModelMaterial& material)
{
    CModelDocument model;
    model.bones.emplace_back();
    for (const Vector2 corner : {Vector2{-3, 7}, Vector2{3, 7}, Vector2{3, 13}, Vector2{-3, 13}}) {
        CModelVertex& vertex = model.vertices.emplace_back();
        vertex.position = {corner.x, corner.y, -10};
        vertex.normal = {0, 0, 1};
    }
    model.indices = {0, 1, 2, 0, 2, 3};
    model.materials.push_back(material);
    model.materials.back().faceVertexCount = 6;
    return model;
}

// Culling hides the back of a face unless its material is drawn on both faces. The outline
// takes the material's colour and width times each vertex's share, and only a material with
// the edge flag has one: with its surface transparent, only the outline shows.
TEST_F(PmxMaterialTest, BothFacesAndTheMaterialsOwnOutline)
{
    const CModelDocument square = BackFacingSquare(Plain({1, 1, 1, 1}));
    const QPoint middle = At({0, 10, -10});
    ShowPmx(square, [](PmxFile&) {});
    EXPECT_TRUE(Near(Grab().pixelColor(middle), kScreenOverWhite, 3));
    ShowPmx(square, [](PmxFile& f) { f.materials[0].flags = kBothFaces; });
    EXPECT_TRUE(Near(Grab().pixelColor(middle), QColor(kLitWhite, kLitWhite, kLitWhite), 2));

    const CModelDocument ball = MakeBall({0, 10, -10}, 4.0f, Plain({1, 1, 1, 0}));
    const auto outline = [&](std::uint8_t flags, float vertexShare) {
        ShowPmx(ball, [&](PmxFile& f) {
            f.materials[0].flags = flags;
            f.materials[0].edgeColor = {1, 0, 0, 1};
            // 100 times PMD's width: 1.5 units out from the surface at a share of 1.
            f.materials[0].edgeSize = 100;
            for (PmxVertex& v : f.vertices)
                v.edgeScale = vertexShare;
        });
        return Grab();
    };
    const QColor red(255, 0, 0);
    const QPoint front = At({2, 12, -13});
    const QPoint beside = At({4.75f, 10, -10}); // beyond the ball, within the wide outline
    QImage image = outline(kEdge, 1.0f);
    EXPECT_TRUE(Near(image.pixelColor(front), red, 0));
    EXPECT_TRUE(Near(image.pixelColor(beside), red, 0));
    image = outline(kEdge, 0.25f);
    EXPECT_TRUE(Near(image.pixelColor(front), red, 0));
    EXPECT_TRUE(Near(image.pixelColor(beside), kScreenOverWhite, 3));
    image = outline(0, 1.0f);
    EXPECT_TRUE(Near(image.pixelColor(front), kScreenOverWhite, 3));
    EXPECT_TRUE(Near(image.pixelColor(beside), kScreenOverWhite, 3));
}

// Sphere textures by their mode: multiplied, added, or laid by the first extra UVs (a
// sub-texture, which a model without extra UVs draws as none). Own toon textures are found
// beside the model as other pictures are; a missing one is named and the material is drawn
// without a toon.
TEST_F(PmxMaterialTest, SphereModesAndOwnToons)
{
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("Toons")));
    WriteImage(QStringLiteral("sphere.png"), QColor(0, 64, 200), QColor(0, 64, 200));
    WriteImage(QStringLiteral("halves.png"), Qt::red, Qt::green);
    WriteImage(QStringLiteral("Toons/Blue.PNG"), Qt::blue, Qt::blue);
    const CModelDocument ball = MakeBall({0, 10, -10}, 4.0f, Plain({0.5f, 0.5f, 0.5f, 1}));

    constexpr int half = (kLitWhite + 1) / 2;
    const struct {
        const char* what;
        int sphereMode;
        const char* sphere;
        int extraUvs;
        const char* ownToon;
        QColor expected;
    } cases[] = {
        {"no sphere", 0, "sphere.png", 0, nullptr, {half, half, half}},
        {"multiplied", 1, "sphere.png", 0, nullptr, {0, half * 64 / 255, half * 200 / 255}},
        {"added", 2, "sphere.png", 0, nullptr, {half, half + 64, 255}},
        // The extra UVs read the right half; a sphere map would read the middle.
        {"sub-texture", 3, "halves.png", 1, nullptr, {0, half, 0}},
        {"sub-texture without extra UVs", 3, "halves.png", 0, nullptr, {half, half, half}},
        {"own toon", 0, "", 0, "toons\\blue.png", {0, 0, half}},
        {"missing own toon", 0, "", 0, "missing_toon.bmp", {half, half, half}},
    };
    for (const auto& c : cases) {
        ShowPmx(ball, [&](PmxFile& f) {
            f.header.additionalUvCount = static_cast<std::uint8_t>(c.extraUvs);
            f.additionalUvs.assign(f.vertices.size() * static_cast<std::size_t>(c.extraUvs),
                                   {0.9f, 0.5f, 0, 0});
            f.textures = {c.sphere};
            PmxMaterial& m = f.materials[0];
            m.sphereTexture = 0;
            m.sphereMode = static_cast<std::uint8_t>(c.sphereMode);
            if (c.ownToon) {
                f.textures.push_back(c.ownToon);
                m.sharedToon = false;
                m.toon = 1;
            }
        });
        const QColor front = Grab().pixelColor(At({0, 10, -14}));
        EXPECT_TRUE(Near(front, c.expected, 3)) << c.what << ": " << front.name().toStdString();
        const std::vector<std::string> missing = CGLModelInstance::MissingFiles(m_model);
        if (c.ownToon && *c.ownToon == 'm')
            EXPECT_EQ(missing, std::vector<std::string>{Folder() + c.ownToon}) << c.what;
        else
            EXPECT_TRUE(missing.empty()) << c.what;
    }
}

// The skinning keeps the vertices of one bone side by side, so a ball whose right half
// follows a second bone is drawn from a reordered mesh. The extra UVs and the outline shares,
// which go up apart from the posed mesh, still belong to their own vertices: the right half
// shows the sub-texture's green half and a wide outline, the left half red and a narrow one.
TEST_F(PmxMaterialTest, ExtraUvsAndOutlineSharesFollowTheirVerticesWhenTheMeshIsReordered)
{
    WriteImage(QStringLiteral("halves.png"), Qt::red, Qt::green);
    CModelDocument ball = MakeBall({0, 10, -10}, 4.0f, Plain({0.5f, 0.5f, 0.5f, 1}));
    // Read before the list grows: the new bone may move the old ones.
    const Vector3 root = ball.bones[0].position;
    ball.bones.emplace_back().position = root;
    const auto right = [&](std::size_t v) { return ball.vertices[v].position.x > 0.0f; };
    for (std::size_t v = 0; v < ball.vertices.size(); ++v)
        ball.vertices[v].bone0 = ball.vertices[v].bone1 = right(v) ? 1 : 0;
    CGLModelInstance& shown = ShowPmx(ball, [&](PmxFile& f) {
        f.header.additionalUvCount = 1;
        f.textures = {"halves.png"};
        f.materials[0].sphereTexture = 0;
        f.materials[0].sphereMode = 3;
        f.materials[0].flags = kEdge;
        f.materials[0].edgeColor = {0, 0, 1, 1};
        f.materials[0].edgeSize = 100;
        for (std::size_t v = 0; v < f.vertices.size(); ++v) {
            f.additionalUvs.push_back({right(v) ? 0.9f : 0.1f, 0.5f, 0, 0});
            f.vertices[v].edgeScale = right(v) ? 1.0f : 0.25f;
        }
    });
    // Otherwise a list left in model order would be drawn right.
    bool reordered = false;
    for (std::size_t v = 0; v < ball.vertices.size(); ++v)
        reordered = reordered || shown.instance().skinnedVertices.SlotOf(v) != v;
    ASSERT_TRUE(reordered);

    constexpr int half = (kLitWhite + 1) / 2;
    const QImage image = Grab();
    for (const float x : {1.5f, 2.25f, 3.0f})
        for (const float y : {8.5f, 10.0f, 11.5f}) {
            const QColor r = image.pixelColor(At({x, y, -14}));
            const QColor l = image.pixelColor(At({-x, y, -14}));
            EXPECT_TRUE(Near(r, QColor(0, half, 0), 3))
                << x << ", " << y << ": " << r.name().toStdString();
            EXPECT_TRUE(Near(l, QColor(half, 0, 0), 3))
                << -x << ", " << y << ": " << l.name().toStdString();
        }
    const QColor blue(0, 0, 255);
    EXPECT_TRUE(Near(image.pixelColor(At({4.75f, 10, -10})), blue, 0));
    EXPECT_FALSE(Near(image.pixelColor(At({-4.75f, 10, -10})), blue, 64));
}

} // namespace
} // namespace zelvane::test
