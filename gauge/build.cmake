# The gauge module: VQgauge.gau on Windows, VQgauge.so (i386) on Linux, both
# from the module's code with the exported records as the only entry points.
add_library(VQgauge SHARED ${CMAKE_SOURCE_DIR}/gauge/module_entry.cpp)
target_link_libraries(VQgauge PRIVATE vqcore)
set_target_properties(VQgauge PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR} RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(WIN32)
  set_target_properties(VQgauge PROPERTIES SUFFIX ".gau")
  target_sources(VQgauge PRIVATE ${CMAKE_SOURCE_DIR}/gauge/VQgauge.def)
  if(DEFINED VQ_BACKGROUND_RC)
    target_sources(VQgauge PRIVATE ${VQ_BACKGROUND_RC})
  endif()
else()
  # Nothing but the exports is visible; the C and C++ runtimes stay private.
  target_link_options(VQgauge PRIVATE -Wl,--no-undefined -Wl,--exclude-libs,ALL)
endif()
if(TARGET vq_background)
  add_dependencies(VQgauge vq_background)
endif()
