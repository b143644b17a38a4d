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
    // The frame with the outline first, and with it after the opaque materials that lead.
    std::pair<QImage, QImage> BothOrders(CGLModelInstance& instance)
    {
        instance.outlineOrder = CGLModelInstance::OutlineOrder::First;
        QImage first = Grab();
        EXPECT_EQ(instance.materialsBeforeOutline(), 0u);
        instance.outlineOrder = CGLModelInstance::OutlineOrder::AfterOpaqueLead;
        return {first, Grab()};
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
    AppendBall(model, {5, 10, -10}, 4.0f, Plain({1.0f, 1.0f, 1.0f, 1.0f}, true));
    AppendBall(model, {7.8f, 12.8f, -14}, 1.2f, Plain({1.0f, 0.0f, 0.0f, 0.5f}, false));
    m_model = model;
    m_window->ClearInstances();
    CGLModelInstance& instance = m_window->CreateInstance(m_model);

    auto [first, late] = BothOrders(instance);
    EXPECT_EQ(instance.materialsBeforeOutline(), 2u);
    EXPECT_TRUE(late == first);
    // Not a picture without outlines.
    instance.instance().outlines = false;
    const QImage bare = Grab();
    EXPECT_FALSE(bare == first);
    instance.instance().outlines = true;

    // A colour texture with see-through pixels and no other stage: the white ball no longer
    // hides what is beneath it, so only the bowl leads.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage picture(8, 8, QImage::Format_RGBA8888);
    picture.fill(QColor(255, 255, 255, 255));
    for (int x = 0; x < 8; ++x)
        picture.setPixelColor(x, 3, QColor(0, 0, 255, 0));
    const QString path = folder.filePath(QStringLiteral("holes.png"));
    ASSERT_TRUE(picture.save(path, "PNG"));
    m_model.materials[1].texturePath = path.toStdString();
    m_window->ClearInstances();
    CGLModelInstance& holed = m_window->CreateInstance(m_model);
    std::tie(first, late) = BothOrders(holed);
    EXPECT_EQ(holed.materialsBeforeOutline(), 1u);
    EXPECT_TRUE(late == first);

    // The same picture fully opaque leads again.
    picture.fill(QColor(255, 255, 255, 255));
    ASSERT_TRUE(picture.save(path, "PNG"));
    m_window->ClearInstances();
    CGLModelInstance& whole = m_window->CreateInstance(m_model);
    std::tie(first, late) = BothOrders(whole);
    EXPECT_EQ(whole.materialsBeforeOutline(), 2u);
    EXPECT_TRUE(late == first);
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
    m_model = model;
    m_window->ClearInstances();
    CGLModelInstance& seeThrough = m_window->CreateInstance(m_model);
    auto [first, late] = BothOrders(seeThrough);
    EXPECT_EQ(seeThrough.materialsBeforeOutline(), 0u);
    EXPECT_TRUE(late == first);

    m_model.materials[0].edgeColor.a = 1.0f;
    m_window->ClearInstances();
    CGLModelInstance& opaque = m_window->CreateInstance(m_model);
    std::tie(first, late) = BothOrders(opaque);
    EXPECT_EQ(opaque.materialsBeforeOutline(), 2u);
    EXPECT_TRUE(late == first);
}

// The shared model, whose materials are all but opaque (alpha 0.9999, 255 in 8 bits): the
// whole outline goes after them, and the frame is the same to the last bit.
TEST_F(OutlineOrderTest, TheSharedModelDrawsTheSameWithItsOutlineLast)
{
    const auto path = SharedTestData("models/mei/mei.pmd");
    ZELVANE_REQUIRE_SHARED(path);
    const auto model = LoadModelFile(path);
    ASSERT_TRUE(model);
    m_window->ClearInstances();
    CGLModelInstance& mei = m_window->CreateInstance(*model);
    const auto [first, late] = BothOrders(mei);
    EXPECT_EQ(mei.materialsBeforeOutline(), model->materials.size());
    EXPECT_TRUE(late == first);
    mei.instance().outlines = false;
    EXPECT_FALSE(Grab() == first);
}

} // namespace
} // namespace zelvane::test
