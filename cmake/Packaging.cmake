# A Debian package of what `cmake --install` installs: `cpack -G DEB` in the build folder
# writes zelvane_<version>_<architecture>.deb. Its library dependencies are read from the
# programs themselves (dpkg-shlibdeps, from dpkg-dev), so they follow whatever the build links.
set(ZELVANE_PACKAGE_MAINTAINER "Zelvane developers <zelvane@invalid>"
    CACHE STRING "The Debian package's maintainer, as \"Name <address>\"")

set(CPACK_PACKAGE_NAME zelvane)
set(CPACK_PACKAGE_VENDOR Kestrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "dance step charts turned into dance motions for 3D characters")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelvane turns dance step charts (DWI and StepMania files, or charts written on its\n"
    "scrolling score) into dance motions for 3D characters. It plays the song in sync, shows\n"
    "a PMD model dancing the chart and writes the dance as a VMD motion for MMD, and the\n"
    "chart screen as a background AVI video. zelvane-cli does the same work without a\n"
    "display.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "${ZELVANE_PACKAGE_MAINTAINER}")
# The programs are built with debugging information; the package leaves it out.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELVANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads at run time rather than links: the song through a sound server, the
# 3D view through an OpenGL driver, and Qt's own Japanese texts for its standard dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libgl1-mesa-dri, qt6-translations-l10n, qt6-image-formats-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pulseaudio | pipewire-pulse")

include(CPack)
