# Lays out ${CMAKE_BINARY_DIR}/assets: hand-written files (settings, shaders) are copied from
# the source tree whenever they change; generated models, textures and the font are added by
# the asset generator's own rules.
set(KORVEL_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)

file(GLOB_RECURSE KORVEL_SOURCE_ASSETS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/assets/settings.ini
  ${CMAKE_SOURCE_DIR}/assets/shader/*)
set(KORVEL_COPIED_ASSETS)
foreach(source ${KORVEL_SOURCE_ASSETS})
  file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR}/assets ${source})
  set(target ${KORVEL_ASSET_DIR}/${relative})
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${target}
    DEPENDS ${source}
    COMMENT "asset ${relative}")
  list(APPEND KORVEL_COPIED_ASSETS ${target})
endforeach()

add_custom_target(korvel_assets ALL DEPENDS ${KORVEL_COPIED_ASSETS})
add_dependencies(korvel korvel_assets)
add_dependencies(korvel-replay korvel_assets)
