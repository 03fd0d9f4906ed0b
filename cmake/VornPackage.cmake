# The Debian package: `cpack -G DEB` in a release build makes
# vornengine_<version>_<arch>.deb of everything `cmake --install` puts in place,
# under /usr. dpkg-shlibdeps reads the libraries the programs link and writes
# the Depends line; the one thing it cannot see is a font: the game finds the
# fonts settings.ini names through fontconfig and cannot start without any.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vornengine)
set(CPACK_PACKAGE_VENDOR "VornEngine developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "engine for top-down tile-based action role-playing games, with a demo game")
set(CPACK_PACKAGE_DESCRIPTION [=[VornEngine runs games made of plain files: settings, maps with tile layers,
monsters, objects, sprites, sounds and scripts. The package holds the game
program, the launcher vornengine, the demo game The Relic of Vorn, the
monster editor, the animation maker, the script runner, modcheck (checks a
whole game before it is played), tiledmap (maps to and from the Tiled map
editor) and the guides for making a game.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VornEngine developers")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)

include(CPack)
