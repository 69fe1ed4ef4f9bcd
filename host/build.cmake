# The host's side of the panel interface, shared by the tests' host double and
# the host simulator: the service table and the loading of a module file.
add_library(vqhost STATIC ${CMAKE_SOURCE_DIR}/host/panel_host.cpp ${CMAKE_SOURCE_DIR}/host/module_file.cpp
  ${CMAKE_SOURCE_DIR}/host/program_directory.cpp)
target_include_directories(vqhost PUBLIC ${CMAKE_SOURCE_DIR})
if(NOT WIN32)
  target_link_libraries(vqhost PUBLIC ${CMAKE_DL_LIBS})
endif()

# The host simulator, vqsim: flies a report with the gauge module loaded from
# its file. It talks to the module only through the file's exports, so it
# never links the module's code (vqcore). Pictures use Debian's header-only
# stb libraries (libstb-dev) for PNG and TrueType; only their directory is
# added, so that the Windows cross build takes nothing else from the system.
find_path(VQ_STB_DIR stb_truetype.h PATHS /usr/include/stb NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VQ_STB_DIR)
  message(FATAL_ERROR "stb_truetype.h not found in /usr/include/stb: apt-get install libstb-dev")
endif()
file(GLOB VQSIM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/vqsim/*.cpp)
list(REMOVE_ITEM VQSIM_SOURCES ${CMAKE_SOURCE_DIR}/host/vqsim/main.cpp)
add_library(vqsim_lib STATIC ${VQSIM_SOURCES})
target_link_libraries(vqsim_lib PUBLIC vqhost vqhost_bitmap)
target_include_directories(vqsim_lib SYSTEM PRIVATE ${VQ_STB_DIR})

add_executable(vqsim ${CMAKE_SOURCE_DIR}/host/vqsim/main.cpp)
target_link_libraries(vqsim PRIVATE vqsim_lib)
# Beside the module file, where it looks for it.
set_target_properties(vqsim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(vqsim VQgauge)
