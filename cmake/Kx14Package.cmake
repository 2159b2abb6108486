# `make deb`: the Debian package kx14-manager_<version>_<arch>.deb, built by
# CPack from the install rules (cmake/Kx14Install.cmake) with prefix /usr.
# Only a build with the window makes one: the package is named after it.
if(NOT TARGET kx14-manager)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kx14-manager)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# 0755 whatever the umask of whoever builds it: dpkg installs the folders as
# the package has them.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reads and programs KX-14 racing devices over a serial port")
set(CPACK_PACKAGE_DESCRIPTION
    "kx14-manager is a small window that reads the settings block of a KX-14 racing
device over a serial (COM) port, lets the user choose one of ten handicap
levels and stores the block back into the device.

The package also holds kx14ctl, the same operations from the command line
with verified writes, backups, a track-side mode and a port doctor, and
kx14-devsim, a simulated device for trying both without hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KX14_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KX14_PROJECT_URL}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its display plugins at run time, out of dpkg-shlibdeps' sight:
# without them the window cannot start on any display.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
