# The game's source folders are layers, each its own static library. A layer sees the headers
# of exactly the layers it links: every folder's headers are reached through an include folder
# of its own that holds only that folder (as <build>/include/NAME/NAME), and the source tree's
# src/ is on no include path. So an include that points the wrong way fails to compile, and a
# call that does fails to link. The windowless layers also find a header that stops the build
# in place of each GL and window header.

set(KORVEL_LAYER_INCLUDES ${CMAKE_BINARY_DIR}/include)

# What the windowless layers compile with; linked PRIVATE by each of them.
add_library(korvel_windowless INTERFACE)
target_include_directories(korvel_windowless BEFORE INTERFACE ${CMAKE_SOURCE_DIR}/cmake/windowless)

# korvel_layer(TARGET FOLDER [WINDOWLESS] SOURCES file.cpp...): the library TARGET from
# src/FOLDER/file.cpp..., whose headers its users include as "FOLDER/file.h".
function(korvel_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 layer "WINDOWLESS" "" "SOURCES")
  set(root ${KORVEL_LAYER_INCLUDES}/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  list(TRANSFORM layer_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/src/${folder}/)
  add_library(${target} STATIC ${layer_SOURCES})
  target_include_directories(${target} PUBLIC ${root})
  target_compile_definitions(${target} PUBLIC GLM_FORCE_CTOR_INIT)
  target_link_libraries(${target} PRIVATE korvel_build_flags)
  if(layer_WINDOWLESS)
    target_link_libraries(${target} PRIVATE korvel_windowless)
  endif()
endfunction()
