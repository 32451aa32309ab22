# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack` (or `make package`) builds a Debian package of the installed layout
# under /usr; its Depends come from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Morvane developers")
set(CPACK_PACKAGE_CONTACT "Morvane developers <maintainers@morvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw strange attractors, chaotic maps and fractals")
set(CPACK_PACKAGE_DESCRIPTION
    "Morvane draws 38 kinds of strange attractors, chaotic maps and fractals
(Henon, Ikeda, Lorenz, Rossler, Peter de Jong, IFS ferns, Sierpinski polygons,
a bifurcation diagram, Popcorn, KAM tori and more) in a Qt window, and opens
its parameter files (.atr) from the file manager. morvane-render draws the
same images without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform plugin; without it Qt falls back to X11 through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_STRIP_FILES ON)
include(CPack)
