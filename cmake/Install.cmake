# Installation and the Debian package.
#
#   <prefix>/lib/dzsb/         the program folder: dzsb, dzsbprint, the six
#                              configuration documents, the help texts, fonts/
#   <prefix>/bin/dzsb          launcher: starts the program in its folder
#   <prefix>/bin/dzsbprint     link to the program folder's dzsbprint
#   <prefix>/share/applications/dzsb.desktop          menu entry (办公)
#   <prefix>/share/icons/hicolor/<size>/apps/dzsb.*   the program's icon
#   <prefix>/share/mime/packages/dzsb.xml             the type of *.MRT files
#
# Nothing is written outside the prefix (or DESTDIR). The program folder is
# not writable for its users, so data files go to their documents folder
# (DataFileDirectory).

set(DZSB_INSTALL_PROGRAM_DIR "lib/dzsb" CACHE STRING "The program folder, relative to the install prefix")
set(DZSB_INSTALL_BIN_DIR "bin")
set(DZSB_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS dzsb dzsbprint RUNTIME DESTINATION ${DZSB_INSTALL_PROGRAM_DIR})

# The files beside the program, by the names the build gives them in build/bin.
file(GLOB config_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/forms/config/*.xml)
file(GLOB help_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/help/*.txt)
set(beside_program)
foreach(f ${config_sources} ${help_sources})
  get_filename_component(n ${f} NAME)
  list(APPEND beside_program ${DZSB_BIN_DIR}/${n})
endforeach()
install(FILES ${beside_program} DESTINATION ${DZSB_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${DZSB_BIN_DIR}/fonts/ DESTINATION ${DZSB_INSTALL_PROGRAM_DIR}/fonts
  FILES_MATCHING PATTERN "*.otf" PATTERN "*.ttf")

if(UNIX AND NOT APPLE)
  # The launcher finds the program folder relative to itself, so that a copy
  # installed under DESTDIR or moved with its prefix still starts.
  file(RELATIVE_PATH DZSB_LAUNCHER_TO_PROGRAM /${DZSB_INSTALL_BIN_DIR} /${DZSB_INSTALL_PROGRAM_DIR})
  configure_file(${PROJECT_SOURCE_DIR}/data/launcher.sh.in ${CMAKE_BINARY_DIR}/launcher/dzsb @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/dzsb DESTINATION ${DZSB_INSTALL_BIN_DIR})
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${DZSB_INSTALL_BIN_DIR}\")
    message(STATUS \"Installing: \${bin}/dzsbprint -> ${DZSB_LAUNCHER_TO_PROGRAM}/dzsbprint\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK \"${DZSB_LAUNCHER_TO_PROGRAM}/dzsbprint\" \"\${bin}/dzsbprint\" SYMBOLIC)")

  install(FILES ${PROJECT_SOURCE_DIR}/data/dzsb.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/dzsb-mime.xml DESTINATION share/mime/packages RENAME dzsb.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/src/shell/icons/dzsb.svg DESTINATION share/icons/hicolor/scalable/apps)
  set(icon_pngs)
  foreach(size ${DZSB_ICON_SIZES})
    list(APPEND icon_pngs ${CMAKE_BINARY_DIR}/icons/dzsb-${size}.png)
    install(FILES ${CMAKE_BINARY_DIR}/icons/dzsb-${size}.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME dzsb.png)
  endforeach()
  add_custom_command(OUTPUT ${icon_pngs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
    COMMAND svgpng ${PROJECT_SOURCE_DIR}/src/shell/icons/dzsb.svg ${CMAKE_BINARY_DIR}/icons/dzsb- ${DZSB_ICON_SIZES}
    DEPENDS svgpng ${PROJECT_SOURCE_DIR}/src/shell/icons/dzsb.svg
    COMMENT "Rendering the program's icon" VERBATIM)
  add_custom_target(dzsb_icons ALL DEPENDS ${icon_pngs})
endif()

# What `cmake --install` needs built, and what scripts/run.sh builds: the
# program with everything it reads at run time.
add_custom_target(dzsb_program)
add_dependencies(dzsb_program dzsb dzsbprint dzsb_help_files dzsb_config_documents dzsb_fonts)
if(TARGET dzsb_icons)
  add_dependencies(dzsb_program dzsb_icons)
endif()

# cpack -G DEB: a Debian package installing into /usr. Its dependencies are
# the shared libraries' packages (dpkg-shlibdeps) plus what the program loads
# at run time without linking it: the display plugins, the SVG image plugin
# (tool bar images), Qt's Chinese translations and the CJK screen fonts.
set(DZSB_PACKAGE_MAINTAINER "电子申报 <dzsb@localhost>" CACHE STRING "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dzsb)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${DZSB_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "电子申报：药品注册申请表的填写、保存与打印")
set(CPACK_PACKAGE_DESCRIPTION
  "填写药品注册、补充申请、再注册及药包材再注册申请表，保存为报盘文件（*.MRT），并打印带数据核对码的申请表。")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_THREADS 0)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, fonts-noto-cjk")
include(CPack)
