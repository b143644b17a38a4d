#include "render_gl/GLSupport.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

namespace zelvane {

namespace {

constexpr int kHardwareSamples = 4;

struct ProbeResult {
    QString unavailable;
    bool software = false;
};

bool IsSoftware(const QByteArray& renderer)
{
    const QByteArray lower = renderer.toLower();
    return lower.contains("llvmpipe") || lower.contains("softpipe") || lower.contains("swrast")
        || lower.contains("software");
}

ProbeResult Probe()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return {QStringLiteral("3D表示: このディスプレイではOpenGLを使えません (offscreen)")};
    QSurfaceFormat format;
    format.setVersion(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion);
    format.setProfile(QSurfaceFormat::CoreProfile);
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create())
        return {QStringLiteral("3D表示: OpenGLのコンテキストを作成できません")};
    const QSurfaceFormat made = context.format();
    if (made.version() < qMakePair(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion))
        return {QStringLiteral("3D表示: OpenGL 3.3が必要です (このディスプレイは%1.%2)")
                    .arg(made.majorVersion())
                    .arg(made.minorVersion())};
    QOffscreenSurface surface;
    surface.setFormat(made);
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return {QStringLiteral("3D表示: OpenGLのコンテキストを使えません")};
    const auto* renderer
        = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    const bool software = renderer && IsSoftware(QByteArray(renderer));
    context.doneCurrent();
    return {QString(), software};
}

const ProbeResult& Result()
{
    static const ProbeResult result = Probe();
    return result;
}

} // namespace

QString CGLSupport::Unavailable()
{
    return Result().unavailable;
}

bool CGLSupport::SoftwareRenderer()
{
    return Result().software;
}

int CGLSupport::Samples()
{
    return SoftwareRenderer() ? 0 : kHardwareSamples;
}

} // namespace zelvane
