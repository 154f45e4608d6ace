# Installs Korvel the way Debian lays out its games, and packs that install into a .deb:
#   games/korvel                      the launcher (prepares the user's folder, runs the game)
#   lib/games/korvel/                 korvel and korvel-replay
#   share/games/korvel/               the read-only data: everything below the build's assets/
#                                     except the best score, which is each user's own
#   share/applications/korvel.desktop, share/icons/hicolor/NxN/apps/korvel.png
#   share/metainfo/org.example.korvel.metainfo.xml  what software centres list the game by
#   share/man/man6/korvel.6.gz, share/doc/korvel/{copyright,changelog.gz}
set(KORVEL_INSTALL_GAMES_DIR games)
set(KORVEL_INSTALL_LIB_DIR lib/games/korvel)
set(KORVEL_INSTALL_DATA_DIR share/games/korvel)
set(KORVEL_PACKAGE_SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/package)
set(KORVEL_PACKAGE_BUILD_DIR ${CMAKE_BINARY_DIR}/package)
set(KORVEL_VERSION ${PROJECT_VERSION})
set(KORVEL_PACKAGE_MAINTAINER "Korvel developers <korvel-maintainers@example.org>"
  CACHE STRING "The Maintainer line of the Debian package")
# The HUD font the build copies in as fonts/arial.ttf. The package links to it instead of
# carrying a second copy, and depends on the package that owns it.
set(KORVEL_SYSTEM_FONT /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf)
set(KORVEL_SYSTEM_FONT_PACKAGE fonts-liberation)
# Sizes of the rendered icon; the largest must fit the model cut out of the window.
set(KORVEL_ICON_SIZES 32 48 64 128 256)

# Folders that install() creates on its own way (the parents of each destination) would
# otherwise take the installing user's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Bind every symbol at start-up so the relocations can be made read-only, as Debian builds do.
target_link_options(korvel PRIVATE -Wl,-z,relro,-z,now)
target_link_options(korvel-replay PRIVATE -Wl,-z,relro,-z,now)
install(TARGETS korvel korvel-replay RUNTIME DESTINATION ${KORVEL_INSTALL_LIB_DIR})

# The launcher finds the programs and the data relative to itself, so any prefix works.
file(RELATIVE_PATH KORVEL_LAUNCHER_TO_PREFIX /prefix/${KORVEL_INSTALL_GAMES_DIR} /prefix)
configure_file(${KORVEL_PACKAGE_SOURCE_DIR}/korvel-launcher.sh ${KORVEL_PACKAGE_BUILD_DIR}/korvel
  @ONLY)
install(PROGRAMS ${KORVEL_PACKAGE_BUILD_DIR}/korvel DESTINATION ${KORVEL_INSTALL_GAMES_DIR})

install(DIRECTORY ${KORVEL_ASSET_DIR}/ DESTINATION ${KORVEL_INSTALL_DATA_DIR}
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
  PATTERN score.txt EXCLUDE
  PATTERN best.run EXCLUDE
  PATTERN last.run EXCLUDE
  REGEX "/(score\\.txt|best\\.run|last\\.run)\\.[^/]*$" EXCLUDE
  REGEX "/fonts/arial\\.ttf$" EXCLUDE)

# The font: a link to the system's copy when the build's one is that copy, else the file.
# Within /usr the link is relative, as Debian wants; elsewhere it is absolute.
install(CODE "
  set(built_font \"${KORVEL_ASSET_DIR}/fonts/arial.ttf\")
  set(system_font \"${KORVEL_SYSTEM_FONT}\")
  set(data_dir \"\${CMAKE_INSTALL_PREFIX}/${KORVEL_INSTALL_DATA_DIR}\")
  if(EXISTS \"\${built_font}\")
    execute_process(COMMAND \"\${CMAKE_COMMAND}\" -E compare_files \"\${built_font}\" \"\${system_font}\"
      RESULT_VARIABLE differs OUTPUT_QUIET ERROR_QUIET)
    if(differs EQUAL 0)
      if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
        file(RELATIVE_PATH target \"/usr/${KORVEL_INSTALL_DATA_DIR}/fonts\" \"\${system_font}\")
      else()
        set(target \"\${system_font}\")
      endif()
      file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${data_dir}/fonts\")
      file(REMOVE \"\$ENV{DESTDIR}\${data_dir}/fonts/arial.ttf\")
      message(STATUS \"Installing: \$ENV{DESTDIR}\${data_dir}/fonts/arial.ttf -> \${target}\")
      file(CREATE_LINK \"\${target}\" \"\$ENV{DESTDIR}\${data_dir}/fonts/arial.ttf\" SYMBOLIC)
    else()
      file(INSTALL DESTINATION \"\${data_dir}/fonts\" TYPE FILE
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ FILES \"\${built_font}\")
    endif()
  endif()
")

install(FILES ${KORVEL_PACKAGE_SOURCE_DIR}/korvel.desktop DESTINATION share/applications)
install(FILES ${KORVEL_PACKAGE_SOURCE_DIR}/org.example.korvel.metainfo.xml DESTINATION share/metainfo)

# The icon is rendered from the game's own player model by korvel-replay (see render_icon.sh).
option(KORVEL_ICON_PLACEHOLDER "Draw a temporary icon instead of rendering the player" OFF)
set(KORVEL_ICON_MODE)
if(KORVEL_ICON_PLACEHOLDER)
  set(KORVEL_ICON_MODE --placeholder)
endif()
set(KORVEL_ICON_FILES)
foreach(size ${KORVEL_ICON_SIZES})
  list(APPEND KORVEL_ICON_FILES ${KORVEL_PACKAGE_BUILD_DIR}/icons/${size}x${size}/apps/korvel.png)
endforeach()
add_custom_command(OUTPUT ${KORVEL_ICON_FILES}
  COMMAND ${KORVEL_PACKAGE_SOURCE_DIR}/render_icon.sh ${KORVEL_ICON_MODE} $<TARGET_FILE:korvel-replay>
    ${KORVEL_ASSET_DIR} ${KORVEL_PACKAGE_BUILD_DIR}/icons ${KORVEL_ICON_SIZES}
  DEPENDS korvel-replay korvel_assets ${KORVEL_PACKAGE_SOURCE_DIR}/render_icon.sh
  COMMENT "Rendering the icon from the player model")
install(DIRECTORY ${KORVEL_PACKAGE_BUILD_DIR}/icons/ DESTINATION share/icons/hicolor
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# Debian wants the manual page and the changelog compressed, without a time stamp.
configure_file(${KORVEL_PACKAGE_SOURCE_DIR}/korvel.6 ${KORVEL_PACKAGE_BUILD_DIR}/korvel.6 @ONLY)
configure_file(${KORVEL_PACKAGE_SOURCE_DIR}/changelog ${KORVEL_PACKAGE_BUILD_DIR}/changelog @ONLY)
set(KORVEL_COMPRESSED_DOCS)
foreach(document korvel.6 changelog)
  add_custom_command(OUTPUT ${KORVEL_PACKAGE_BUILD_DIR}/${document}.gz
    COMMAND gzip -9 -n -c ${KORVEL_PACKAGE_BUILD_DIR}/${document} > ${KORVEL_PACKAGE_BUILD_DIR}/${document}.gz
    DEPENDS ${KORVEL_PACKAGE_BUILD_DIR}/${document}
    COMMENT "Compressing ${document}")
  list(APPEND KORVEL_COMPRESSED_DOCS ${KORVEL_PACKAGE_BUILD_DIR}/${document}.gz)
endforeach()
add_custom_target(korvel_package_files ALL DEPENDS ${KORVEL_ICON_FILES} ${KORVEL_COMPRESSED_DOCS})
install(FILES ${KORVEL_PACKAGE_BUILD_DIR}/korvel.6.gz DESTINATION share/man/man6)
install(FILES ${KORVEL_PACKAGE_SOURCE_DIR}/copyright ${KORVEL_PACKAGE_BUILD_DIR}/changelog.gz
  DESTINATION share/doc/korvel)

# The Debian package. Its library dependencies are read off the installed programs by
# dpkg-shlibdeps, so they follow whatever the game links; the GL driver and the font are used
# without being linked and are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VERSION ${KORVEL_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "kitchen counter-top platform game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Steer a slice of tamboro along the table tops and counter tops of a kitchen
to the pizza at the far end within 120 seconds. Run, jump twice, dodge the
knives thrown across the course and the deadly spot that hops between five
places; the floor far below is deadly too. The best score, the seconds left
when the pizza is reached, is kept for each user.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORVEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, ${KORVEL_SYSTEM_FONT_PACKAGE}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
