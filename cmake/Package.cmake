# The Debian package, built by `make deb` with CPack's DEB generator from the
# install rules in Install.cmake: build/tansywatch_1.1-1_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tansywatch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tansywatch maintainers <maintainers@tansywatch.example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tansywatch.example.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analog desktop clock with a one-time alarm")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tansywatch is a little analog clock for the desktop: a frameless window cut
to the outline of a pocket watch, a tansy-flower face and an hour, a minute
and a second hand that follow the local time. It stays above other windows
unless told otherwise.
.
The clock is dragged about with the mouse and can be locked in place. Its
options dialog changes the colour of each hand, the thickness of the hands
and the face picture, and sets an alarm for an hour and a minute that rings
with one of three sounds until it is switched off. Every change is kept at
once in a small settings file in the user's configuration directory.")
# Qt from dpkg-shlibdeps. SDL2 is named here because the sound player opens
# it when a sound first plays, out of the linker's sight; the windows are
# designed in Arial (Liberation Sans) and the About window needs a CJK font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0, fonts-liberation, fonts-wqy-microhei")
include(CPack)
