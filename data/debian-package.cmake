# The Debian package `make package` builds with CPack: <build>/toothwright_<version>_<arch>.deb
# holding what `cmake --install` installs under /usr. Included from the top-level list.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME toothwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TOOTHWRIGHT_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "roller-chain sprocket outlines as G-code and DXF")
set(CPACK_PACKAGE_DESCRIPTION "Toothwright computes the all-arc tooth outline of a roller-chain sprocket from
a chain (pitch, roller diameter and number of teeth, or a standard chain size,
in inches or millimetres). It writes a G-code program that mills the outline as
one closed contour, a DXF drawing made only of arcs, and a preview.
toothwright is the window; toothwright-cli does the same without one.")
# The library packages come from dpkg-shlibdeps; Qt loads its display plugins at run time,
# and the window's texts are laid out for Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TOOTHWRIGHT_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
