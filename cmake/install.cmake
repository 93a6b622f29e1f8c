# Installing the desktop program as a desktop application (cmake --install),
# and a Debian package of it (cpack -G DEB from the build folder):
#
#   bin/mubmub, bin/mubmub-sim
#   share/applications/ID.desktop            the menu entry
#   share/icons/hicolor/{32x32,256x256}/apps/ID.png
#   share/metainfo/ID.metainfo.xml           AppStream: description, screenshot
#   share/doc/mubmub/copyright                who made what, and the licences
#                                             (Debian's machine-readable form)
#   share/doc/mubmub/LICENSES/                the licence texts
#
# ID is the application's reverse-DNS name.
if(NOT TARGET mubmub)
  return()
endif()
include(GNUInstallDirs)

set(MUB_APP_ID local.mubmub.mubmub)
set(MUB_SCREENSHOT_URL "https://mubmub.example/screenshots/story.png" CACHE STRING
  "Where the AppStream metadata says the screenshot of the first story page is published")
set(MUB_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

# The icon at its own 32 x 32 and enlarged 8 times, drawn from res/ by our own build step.
add_executable(icon_png ${CMAKE_SOURCE_DIR}/packaging/icon_png.cpp)
find_package(PNG REQUIRED)
target_link_libraries(icon_png PRIVATE platform_resource PNG::PNG)
set(MUB_ICON_PNGS "")
foreach(size 32 256)
  set(png ${MUB_PACKAGING_DIR}/icon-${size}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND icon_png ${CMAKE_SOURCE_DIR}/res/mubmub.ico ${size} ${png}
    DEPENDS icon_png ${CMAKE_SOURCE_DIR}/res/mubmub.ico
    COMMENT "Drawing the ${size} x ${size} desktop icon"
    VERBATIM)
  list(APPEND MUB_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${MUB_APP_ID}.png)
endforeach()
add_custom_target(mub_desktop_icons ALL DEPENDS ${MUB_ICON_PNGS})

configure_file(${CMAKE_SOURCE_DIR}/packaging/mubmub.desktop.in ${MUB_PACKAGING_DIR}/${MUB_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/metainfo.xml.in ${MUB_PACKAGING_DIR}/${MUB_APP_ID}.metainfo.xml @ONLY)

install(TARGETS mubmub mubmub-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${MUB_PACKAGING_DIR}/${MUB_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MUB_PACKAGING_DIR}/${MUB_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mubmub)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/LICENSES/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mubmub/LICENSES)

# The Debian package: everything above under /usr.
set(CPACK_PACKAGE_NAME mubmub)
set(CPACK_PACKAGE_VERSION 0.1.0)
set(CPACK_PACKAGE_CONTACT "mubmub developer <dev@mubmub.local>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small game collection: a picture story, a shooting game and a whack game")
set(CPACK_PACKAGE_DESCRIPTION "A title animation, a picture story and two games the story leads through:
a shooting game played with the two mouse buttons and a whack game played
with the keys Z, X, C, V and B. The game's texts are in Japanese.
Also contains mubmub-sim, which runs the game without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
