# The gauge module: VQgauge.gau on Windows, VQgauge.so (i386) on Linux, both
# from the module's code with the exported records as the only entry points.
#
# The gauge file links no C or C++ runtime: it has its own entry point, its
# own memory routines and imports only KERNEL32 (and libgcc's 64-bit division
# helpers are linked in). After the link its debug information is moved into
# VQgauge.gau.debug (VQgauge.so.debug) beside it, with a debug link, so that
# the file the tests load is the file that ships.
add_library(VQgauge SHARED ${CMAKE_SOURCE_DIR}/gauge/module_entry.cpp)
target_link_libraries(VQgauge PRIVATE vqcore)
target_compile_options(VQgauge PRIVATE ${VQ_MODULE_COMPILE_OPTIONS})
set_target_properties(VQgauge PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR} RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(WIN32)
  set_target_properties(VQgauge PROPERTIES SUFFIX ".gau")
  target_sources(VQgauge PRIVATE ${CMAKE_SOURCE_DIR}/gauge/VQgauge.def
    ${CMAKE_SOURCE_DIR}/gauge/dll_entry.cpp ${CMAKE_SOURCE_DIR}/platform/memory_win32.cpp)
  if(DEFINED VQ_BACKGROUND_RC)
    target_sources(VQgauge PRIVATE ${VQ_BACKGROUND_RC})
  endif()
  target_link_options(VQgauge PRIVATE -nostdlib -Wl,--entry,_DllEntryPoint@12 -Wl,--subsystem,windows:4.0)
  target_link_libraries(VQgauge PRIVATE kernel32 gcc)
else()
  # Nothing but the exports is visible, and only the C library is needed.
  target_link_options(VQgauge PRIVATE -Wl,--no-undefined -Wl,--exclude-libs,ALL -Wl,--as-needed)
endif()
# Moves a module's debug information into FILE.debug beside it, with a debug link.
function(vq_split_debug target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --strip-unneeded
            --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    COMMENT "Moving the debug information of $<TARGET_FILE_NAME:${target}> into its .debug file"
    VERBATIM)
endfunction()
vq_split_debug(VQgauge)
if(TARGET vq_background)
  add_dependencies(VQgauge vq_background)
endif()
