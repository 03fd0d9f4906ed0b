# What `cmake --install` puts beside the programs (each program installs
# itself with one install(TARGETS) line in its own folder): the demo game, the
# guides, the launcher's desktop entry with its icon, and the AppStream
# metadata software centres read.
#
#   bin/                              game, the tools and the vornengine launcher
#   share/vornengine/vorn3/           the demo game (read-only; the launcher
#                                     plays a copy in the player's data folder)
#   share/doc/vornengine/             README.md and docs/
#   share/applications/               org.vornengine.vorn3.desktop
#   share/icons/hicolor/NxN/apps/     org.vornengine.vorn3.png
#   share/metainfo/                   org.vornengine.vorn3.metainfo.xml

set(VORN_APP_ID org.vornengine.vorn3)

# A developer who played from the source tree has saved games in vorn3/saves;
# they are theirs, not the game's.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/vorn3
    DESTINATION ${CMAKE_INSTALL_DATADIR}/vornengine
    PATTERN saves EXCLUDE)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vornengine)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vornengine)

set(VORN_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${VORN_PACKAGING_DIR}/${VORN_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORN_PACKAGING_DIR}/${VORN_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icons are drawn by `vorn3gen --icons packaging/icons`.
foreach(size 48 64 128 256)
    install(FILES ${VORN_PACKAGING_DIR}/icons/vorn3-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${VORN_APP_ID}.png)
endforeach()
