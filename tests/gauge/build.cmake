vq_test(gauge_tests
  ${CMAKE_CURRENT_LIST_DIR}/commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lifecycle_test.cpp)
target_link_libraries(gauge_tests PRIVATE vqhost)

# The module file as a host sees it: loaded by name, driven through its
# exports; and against vqreport, which reads the same reports.
vq_test(module_file_tests
  ${CMAKE_CURRENT_LIST_DIR}/binary_interface_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flight_test.cpp)
target_link_libraries(module_file_tests PRIVATE vqhost vqreport_lib)
add_dependencies(module_file_tests VQgauge)

if(WIN32)
  # The gauge file as the host's machines load and run it: Windows 95 imports,
  # no TLS directory, Pentium code, small, its debug information beside it.
  find_program(VQ_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
  find_program(VQ_NM NAMES i686-w64-mingw32-nm REQUIRED)
  set(gauge_check ${CMAKE_CURRENT_LIST_DIR}/check_gauge_file.sh)
  foreach(what IN ITEMS imports tls pentium_code size)
    add_test(NAME gauge_file_${what} COMMAND ${gauge_check} ${what} $<TARGET_FILE:VQgauge>)
  endforeach()

  # The processor check must fail on a DLL with a cmov and a fucomi, split like
  # the gauge file, and name both with their function.
  add_library(gauge_newer_code SHARED ${CMAKE_CURRENT_LIST_DIR}/newer_code.c)
  target_link_options(gauge_newer_code PRIVATE -nostdlib -Wl,-e,_DllEntry@12)
  vq_split_debug(gauge_newer_code)
  add_test(NAME gauge_file_pentium_code_negative
    COMMAND ${gauge_check} rejects_newer_code $<TARGET_FILE:gauge_newer_code>)

  # The imports check must fail on a DLL that takes memory, a thread and TLS,
  # and name each: what a load and unload of the gauge file could leave behind.
  add_library(gauge_takes_memory SHARED ${CMAKE_CURRENT_LIST_DIR}/takes_memory.c)
  target_link_options(gauge_takes_memory PRIVATE -nostdlib -Wl,-e,_DllEntry@12)
  target_link_libraries(gauge_takes_memory PRIVATE kernel32)
  add_test(NAME gauge_file_imports_negative
    COMMAND ${gauge_check} imports $<TARGET_FILE:gauge_takes_memory>)
  set_tests_properties(gauge_file_imports_negative PROPERTIES PASS_REGULAR_EXPRESSION
    "CreateThread: a thread function\n.*HeapAlloc: a function that allocates memory\n.*TlsAlloc: a thread function")

  set_tests_properties(gauge_file_imports gauge_file_tls gauge_file_pentium_code gauge_file_size
    gauge_file_pentium_code_negative gauge_file_imports_negative
    PROPERTIES ENVIRONMENT "OBJDUMP=${VQ_OBJDUMP};NM=${VQ_NM}")

  # The gauge file reads the user's own regional settings, set in a Wine
  # prefix of this test's own.
  add_test(NAME module_file_regional_settings
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/regional_settings.sh ${PROJECT_SOURCE_DIR}/tools/wine-run.sh
            ${CMAKE_BINARY_DIR}/wine-regional $<TARGET_FILE:module_file_tests>)
  set_tests_properties(module_file_regional_settings PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()
