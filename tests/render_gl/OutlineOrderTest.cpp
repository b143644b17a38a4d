#include "GLTestSupport.h"
#include "TestData.h"
#include "model/ModelLoader.h"

#include <QTemporaryDir>

namespace zelvane::test {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Appends a ball of `material` to `model`, bound to its first bone. A bowl is the half of
// the ball behind its centre, open towards the camera, so its inside (the back of its
// faces) is what shows.
void AppendBall(CModelDocument& model, const Vector3& centre, float radius,
                const CModelMaterial& material, bool bowl = false)
{
    constexpr int kRings = 24;
    constexpr int kSegments = 32;
    const int rings = bowl ? kRings / 2 : kRings;
    const auto first = static_cast<std::uint32_t>(model.vertices.size());
    const std::size_t firstIndex = model.indices.size();
    for (int ring = 0; ring <= rings; ++ring)
        for (int segment = 0; segment <= kSegments; ++segment) {
            const float theta = kPi * static_cast<float>(ring) / kRings;
            const float phi = 2.0f * kPi * static_cast<float>(segment) / kSegments;
            Vector3 normal{std::sin(theta) * std::cos(phi), std::cos(theta),
                           std::sin(theta) * std::sin(phi)};
            if (bowl) // turned a quarter about x: the top pole goes to the far side
                normal = {normal.x, -normal.z, normal.y};
            CModelVertex& vertex = model.vertices.emplace_back();
            vertex.normal = normal;
            vertex.position = centre + normal * radius;
            vertex.uv
                = {static_cast<float>(segment) / kSegments, static_cast<float>(ring) / kRings};
            // The bowl's outline lies on its own faces: the surface and the outline tie.
            vertex.noEdge = bowl;
        }
    for (int ring = 0; ring < rings; ++ring)
        for (int segment = 0; segment < kSegments; ++segment) {
            const int above = ring * (kSegments + 1) + segment;
            const int below = above + kSegments + 1;
            for (int i : {above, above + 1, below, above + 1, below + 1, below})
                model.indices.push_back(first + static_cast<std::uint32_t>(i));
        }
    model.materials.push_back(material);
    model.materials.back().faceVertexCount = static_cast<int>(model.indices.size() - firstIndex);
}

CModelMaterial Plain(const Color4& diffuse, bool edge)
{
    CModelMaterial material;
    material.diffuse = diffuse;
    material.ambient = {0.2f, 0.2f, 0.2f, 0.0f};
    material.edge = edge;
    return material;
}

class OutlineOrderTest : public ModelWindowTest {
protected:
    // Shows `model` afresh and checks that the frame with the outline after the opaque
    // materials that lead, `lead` of them, is the frame with the outline first, bit for bit.
    // Returns that frame.
    QImage ExpectSameFrameInBothOrders(const CModelDocument& model, std::size_t lead)
    {
        m_window->ClearInstances();
        CGLModelInstance& instance = m_window->CreateInstance(model);
        instance.outlineOrder = CGLModelInstance::OutlineOrder::First;
        const QImage first = Grab();
        EXPECT_EQ(instance.materialsBeforeOutline(), 0u);
        instance.outlineOrder = CGLModelInstance::OutlineOrder::AfterOpaqueLead;
        EXPECT_TRUE(Grab() == first);
        EXPECT_EQ(instance.materialsBeforeOutline(), lead);
        // Not a picture without outlines, where the comparison would prove nothing.
        instance.instance().outlines = false;
        EXPECT_FALSE(Grab() == first);
        return first;
    }
};

// Drawn after the materials that hide what lies beneath them, the outline leaves every pixel
// as it was with the outline first: where it ties with a surface drawn on both faces (the
// bowl's inside), behind a see-through material that comes later (the red glass over the
// white ball's rim), and where a colour texture lets the background through.
TEST_F(OutlineOrderTest, AfterTheOpaqueLeadEveryPixelIsAsWithTheOutlineFirst)
{
    CModelDocument model;
    model.bones.emplace_back();
    CModelMaterial bowl = Plain({0.2f, 0.8f, 0.3f, 1.0f}, true);
    bowl.flags = CModelMaterial::kBothFaces;
    AppendBall(model, {-6, 10, -10}, 3.5f, bowl, true);
    // Just opaque enough: 254.6 of 255, which the frame rounds to 255.
    AppendBall(model, {5, 10, -10}, 4.0f, Plain({1.0f, 1.0f, 1.0f, 254.6f / 255.0f}, true));
    AppendBall(model, {7.8f, 12.8f, -14}, 1.2f, Plain({1.0f, 0.0f, 0.0f, 0.5f}, false));
    ExpectSameFrameInBothOrders(model, 2);

    // A colour texture with see-through pixels and no other stage: the white ball no longer
    // hides what is beneath it, so only the bowl leads. The same picture opaque leads again.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("picture.png"));
    model.materials[1].texturePath = path.toStdString();
    QImage picture(8, 8, QImage::Format_RGBA8888);
    picture.fill(QColor(255, 255, 255, 255));
    for (int x = 0; x < 8; ++x)
        picture.setPixelColor(x, 3, QColor(0, 0, 255, 0));
    ASSERT_TRUE(picture.save(path, "PNG"));
    ExpectSameFrameInBothOrders(model, 1);
    picture.fill(QColor(255, 255, 255, 255));
    ASSERT_TRUE(picture.save(path, "PNG"));
    ExpectSameFrameInBothOrders(model, 2);
}

// A see-through PMX outline blends with what lies beneath it, so it stays first; an opaque
// one goes after the lead.
TEST_F(OutlineOrderTest, APmxOutlineGoesLateOnlyWhenItIsOpaque)
{
    CModelDocument model;
    model.format = CModelDocument::Format::Pmx20;
    model.bones.emplace_back();
    CModelMaterial ball = Plain({1.0f, 1.0f, 1.0f, 1.0f}, true);
    ball.edgeColor = {0.0f, 0.0f, 1.0f, 0.5f};
    ball.edgeSize = 8.0f;
    AppendBall(model, {-5, 10, -10}, 3.0f, ball);
    ball.edgeColor.a = 1.0f;
    AppendBall(model, {5, 10, -10}, 3.0f, ball);
    ExpectSameFrameInBothOrders(model, 0);
    model.materials[0].edgeColor.a = 1.0f;
    ExpectSameFrameInBothOrders(model, 2);
}

// The shared model, whose materials are all but opaque (alpha 0.9999, 255 in 8 bits): the
// whole outline goes after them, and the frame is the same to the last bit.
TEST_F(OutlineOrderTest, TheSharedModelDrawsTheSameWithItsOutlineLast)
{
    const auto path = SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(path);
    const auto model = LoadModelFile(path);
    ASSERT_TRUE(model);
    ExpectSameFrameInBothOrders(*model, model->materials.size());
}

} // namespace
} // namespace zelvane::test
