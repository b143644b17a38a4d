#include "render/GLSupport.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace zelvane {

namespace {

QString Probe()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return QStringLiteral("3D表示: このディスプレイではOpenGLを使えません (offscreen)");
    QSurfaceFormat format;
    format.setVersion(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion);
    format.setProfile(QSurfaceFormat::CoreProfile);
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create())
        return QStringLiteral("3D表示: OpenGLのコンテキストを作成できません");
    const QSurfaceFormat made = context.format();
    if (made.version() < qMakePair(CGLSupport::kMajorVersion, CGLSupport::kMinorVersion))
        return QStringLiteral("3D表示: OpenGL 3.3が必要です (このディスプレイは%1.%2)")
            .arg(made.majorVersion())
            .arg(made.minorVersion());
    QOffscreenSurface surface;
    surface.setFormat(made);
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return QStringLiteral("3D表示: OpenGLのコンテキストを使えません");
    context.doneCurrent();
    return QString();
}

} // namespace

QString CGLSupport::Unavailable()
{
    static const QString reason = Probe();
    return reason;
}

} // namespace zelvane
