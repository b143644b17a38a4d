#include "GLTestSupport.h"

#include "render_gl/GLModelInstance.h"
#include "render_gl/ModelWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace zelvane::test {
namespace {

// Texture files are found beside the model whatever the case of their names, sphere maps
// are bitmaps under another name, and the stages combine as the material says.
class ModelTextureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        SKIP_WITHOUT_OPENGL();
        m_window = std::make_unique<CModelWindow>();
        m_window->resize(kWidth, kHeight);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // A one-colour image file under `name` in the model's folder.
    void WriteImage(const QString& name, QColor colour, const char* format)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(m_folder.filePath(name), format));
    }

    // An uncompressed 24-bit Targa file of one colour (Qt reads Targa but does not write it).
    void WriteTga(const QString& name, QColor colour, bool footer)
    {
        constexpr int kSize = 8;
        QByteArray bytes(18, '\0');
        bytes[2] = 2; // true colour, uncompressed
        bytes[12] = kSize;
        bytes[14] = kSize;
        bytes[16] = 24; // bits per pixel
        for (int i = 0; i < kSize * kSize; ++i) {
            bytes.append(static_cast<char>(colour.blue()));
            bytes.append(static_cast<char>(colour.green()));
            bytes.append(static_cast<char>(colour.red()));
        }
        if (footer) {
            // The version 2 footer: no extension or developer area, then the signature.
            bytes.append(QByteArray(8, '\0'));
            bytes.append("TRUEVISION-XFILE.", 18);
        }
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::string ModelPath(const char* name) const
    {
        return (m_folder.path() + QLatin1Char('/') + QLatin1String(name)).toStdString();
    }

    // The colour at the front of a white ball drawn with `material`.
    QColor BallColour(CModelMaterial material)
    {
        material.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
        m_model = MakeBall({0, 10, -10}, 4.0f, material);
        m_window->ClearInstances();
        m_window->CreateInstance(m_model);
        return m_window->grabFramebuffer().pixelColor(ToPixel(*m_window, {0, 10, -14}));
    }

    QTemporaryDir m_folder;
    std::unique_ptr<CModelWindow> m_window;
    CModelDocument m_model;
};

// Needs no display: the file lookup alone.
TEST(ModelTextureFileTest, FindsFilesWhateverTheCase)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Tex")));
    QFile file(folder.filePath(QStringLiteral("Tex/Skin.PNG")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const std::string base = folder.path().toStdString() + "/";
    EXPECT_EQ(CGLModelInstance::FindFile(base + "tex\\skin.png"), base + "Tex/Skin.PNG");
    EXPECT_EQ(CGLModelInstance::FindFile(base + "TEX/SKIN.png"), base + "Tex/Skin.PNG");
    EXPECT_EQ(CGLModelInstance::FindFile(base + "tex/other.png"), "");
    // A folder is not an image file.
    EXPECT_EQ(CGLModelInstance::FindFile(base + "tex"), "");
    EXPECT_EQ(CGLModelInstance::FindFile(""), "");
}

TEST_F(ModelTextureTest, TexturesFromFilesBesideTheModel)
{
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("Tex")));
    WriteImage(QStringLiteral("Tex/Skin.PNG"), Qt::red, "PNG");
    CModelMaterial material;
    material.texturePath = ModelPath("tex\\skin.png");
    // Lit white (0x9A, the light's share) times the red texture.
    const QColor red = BallColour(material);
    EXPECT_TRUE(Near(red, QColor(154, 0, 0), 2)) << red.name().toStdString();

    // Targa files, common among models, have no signature: their name says what they are.
    // Qt reads those with the version 2 footer, our own reader the older ones.
    WriteTga(QStringLiteral("Tex/cloth.tga"), QColor(0, 255, 0), true);
    material.texturePath = ModelPath("tex/Cloth.TGA");
    EXPECT_TRUE(Near(BallColour(material), QColor(0, 154, 0), 2));
    WriteTga(QStringLiteral("old.tga"), QColor(0, 0, 255), false);
    material.texturePath = ModelPath("old.tga");
    EXPECT_TRUE(Near(BallColour(material), QColor(0, 0, 154), 2));

    // A missing file is skipped: the lit colour alone.
    material.texturePath = ModelPath("missing.bmp");
    EXPECT_TRUE(Near(BallColour(material), QColor(154, 154, 154), 2));
}

TEST_F(ModelTextureTest, SphereMapsMultiplyOrAdd)
{
    // Sphere maps are bitmaps whatever their extension says.
    WriteImage(QStringLiteral("metal.sph"), QColor(128, 255, 64), "BMP");
    WriteImage(QStringLiteral("shine.spa"), QColor(0, 64, 200), "BMP");
    CModelMaterial material;
    material.spherePath = ModelPath("metal.sph");
    material.sphereAdd = false;
    // Lit white is 0x9A of the light; the sphere map multiplies it.
    EXPECT_TRUE(Near(BallColour(material), QColor(154 * 128 / 255, 154, 154 * 64 / 255), 3));

    material.spherePath = ModelPath("shine.spa");
    material.sphereAdd = true;
    EXPECT_TRUE(Near(BallColour(material), QColor(154, 154 + 64, 255), 3));
}

} // namespace
} // namespace zelvane::test
