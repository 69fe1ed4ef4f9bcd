# The background picture of the instrument's face.
#
# tools/draw_background.cpp draws it during the build. It is compiled with the
# build machine's own C++ compiler, not the target's: the win32 build is a
# cross build whose programs do not run here, and the linux32 programs would
# only run under emulation.
#
# Defines:
#   vq_background        target that draws the picture (part of the default build)
#   VQ_BACKGROUND_BMP    path of the picture, ${CMAKE_BINARY_DIR}/background.bmp
#   VQ_BACKGROUND_RC     Windows only: resource script declaring it as bitmap 100,
#                        language neutral; add it to the gauge file's sources and
#                        make the gauge file depend on vq_background
# On Linux the picture is also copied to ${CMAKE_BINARY_DIR}/VQgauge.bmp, beside
# the module, where the host simulator looks for it.
#
# Safe to include more than once (the gauge's build file may include it first
# to have the variables).
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/../host/bitmap.cmake)

get_filename_component(VQ_PICTURE_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

find_program(VQ_BUILD_MACHINE_CXX NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH
  DOC "C++ compiler of the build machine, for programs that run during the build")

set(VQ_DRAW_BACKGROUND ${CMAKE_BINARY_DIR}/build-machine/draw_background${CMAKE_HOST_EXECUTABLE_SUFFIX})
add_custom_command(
  OUTPUT ${VQ_DRAW_BACKGROUND}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/build-machine
  COMMAND ${VQ_BUILD_MACHINE_CXX} -std=c++17 -O2 -Wall -Wextra -Werror
          -o ${VQ_DRAW_BACKGROUND} ${VQ_PICTURE_SOURCE_ROOT}/tools/draw_background.cpp
  DEPENDS ${VQ_PICTURE_SOURCE_ROOT}/tools/draw_background.cpp
  COMMENT "Building draw_background for the build machine"
  VERBATIM)

set(VQ_BACKGROUND_BMP ${CMAKE_BINARY_DIR}/background.bmp)
add_custom_command(
  OUTPUT ${VQ_BACKGROUND_BMP}
  COMMAND ${VQ_DRAW_BACKGROUND} ${VQ_BACKGROUND_BMP}
  DEPENDS ${VQ_DRAW_BACKGROUND}
  COMMENT "Drawing the background picture"
  VERBATIM)
set(VQ_BACKGROUND_OUTPUTS ${VQ_BACKGROUND_BMP})

if(WIN32)
  enable_language(RC)
  set(VQ_BACKGROUND_RC ${CMAKE_BINARY_DIR}/background.rc)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/background.rc.in ${VQ_BACKGROUND_RC} @ONLY)
  # windres reads the picture named in the script; recompile when it changes.
  set_source_files_properties(${VQ_BACKGROUND_RC} PROPERTIES OBJECT_DEPENDS ${VQ_BACKGROUND_BMP})
else()
  set(VQ_BACKGROUND_BESIDE_MODULE ${CMAKE_BINARY_DIR}/VQgauge.bmp)
  add_custom_command(
    OUTPUT ${VQ_BACKGROUND_BESIDE_MODULE}
    COMMAND ${CMAKE_COMMAND} -E copy ${VQ_BACKGROUND_BMP} ${VQ_BACKGROUND_BESIDE_MODULE}
    DEPENDS ${VQ_BACKGROUND_BMP}
    COMMENT "Placing the background picture beside the module"
    VERBATIM)
  list(APPEND VQ_BACKGROUND_OUTPUTS ${VQ_BACKGROUND_BESIDE_MODULE})
endif()

add_custom_target(vq_background ALL DEPENDS ${VQ_BACKGROUND_OUTPUTS})
