#include "render_gl/GLSupport.h"

#include "text/StringTable.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

#include <string>

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
        return {CGLSupport::Reason(IDS_GL_OFFSCREEN)};
    QSurfaceFormat format;
    format.setVersion(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion);
    format.setProfile(QSurfaceFormat::CoreProfile);
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create())
        return {CGLSupport::Reason(IDS_GL_NO_CONTEXT)};
    const QSurfaceFormat made = context.format();
    if (made.version() < qMakePair(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion))
        return {CGLSupport::Reason(
            IDS_GL_VERSION_TOO_LOW,
            {std::to_string(made.majorVersion()), std::to_string(made.minorVersion())})};
    QOffscreenSurface surface;
    surface.setFormat(made);
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return {CGLSupport::Reason(IDS_GL_CONTEXT_UNUSABLE)};
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

QString CGLSupport::Reason(std::uint32_t id, std::initializer_list<std::string_view> fields,
                           const QString& detail)
{
    const std::string text = FormatString(id, fields);
    QString reason = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!detail.isEmpty())
        reason += QLatin1Char('\n') + detail;
    return reason;
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
