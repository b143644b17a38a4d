#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace zelvane {

// Whether this display can give the 3D view the OpenGL 3.3 core context it draws with. The
// check makes a throw-away context on an offscreen surface, so a platform without OpenGL
// (Qt's offscreen platform, a remote display without GLX) is found before any GL widget
// exists, and the view shows a grey pane with the reason instead.
class CGLSupport {
public:
    static constexpr int kMajorVersion = 3;
    static constexpr int kMinorVersion = 3;

    // Empty when a context can be made; otherwise one line saying why not. Probed once per
    // process.
    static QString Unavailable();
    // A reason the 3D view cannot draw: the string-table entry `id` formatted with `fields`,
    // and the driver's or shader compiler's own words, when there are any, on a second line.
    static QString Reason(std::uint32_t id, std::initializer_list<std::string_view> fields = {},
                          const QString& detail = QString());
    // Whether the pixels are drawn by the processor (Mesa's llvmpipe, softpipe or swrast),
    // where every extra sample per pixel costs a whole extra pass of work.
    static bool SoftwareRenderer();
    // Samples per pixel the 3D windows ask for: smooth edges on graphics hardware, none
    // where the processor draws and the frame rate matters more.
    static int Samples();
};

} // namespace zelvane
