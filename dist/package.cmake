# `cpack` (or `make package`) builds a Debian package of the installed layout
# under /usr; its Depends come from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Morvane developers")
set(CPACK_PACKAGE_CONTACT "Morvane developers <morvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw strange attractors, chaotic maps and fractals")
set(CPACK_PACKAGE_DESCRIPTION
    "Morvane draws 38 kinds of strange attractors, chaotic maps and fractals (Henon, Ikeda, \
Lorenz, Rossler, Peter de Jong, IFS ferns, Sierpinski polygons, a bifurcation diagram, \
Popcorn, KAM tori and more) in a Qt window; morvane-render draws the same images without \
a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
