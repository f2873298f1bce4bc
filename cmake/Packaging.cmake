# `make package`: a Debian package of an installation under /usr, made by CPack. Its
# dependencies on shared libraries come from dpkg-shlibdeps; the binaries are stripped.
set(WINDLECROFT_PACKAGE_MAINTAINER "Windlecroft maintainers <maintainers@windlecroft.invalid>"
  CACHE STRING "The Maintainer field of the Debian package and its changelog")

set(CPACK_PACKAGE_NAME windlecroft)
set(CPACK_PACKAGE_VENDOR "The Windlecroft developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "skinned desktop music player")
# Written in lines of Debian's width: CPack keeps the line breaks as they are.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Windlecroft plays music in one borderless, shaped window that takes its\n"
  "whole look and behaviour from a skin: pictures, window shapes, fonts,\n"
  "buttons, sliders, lists and pages that cross-fade into each other. It plays\n"
  "XM and IT tracker modules and Ogg Vorbis and MP3 streams on two channels,\n"
  "and skin plugins can draw into its window.\n"
  "\n"
  "The package also holds windlecroft-skin, which builds, checks, previews and\n"
  "unpacks skins, and a demo skin with its own music, opened when the player\n"
  "is started without a skin.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${WINDLECROFT_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so dpkg-shlibdeps cannot see them: the X11 one is
# needed, the Wayland one is wanted where there is a Wayland session.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
