vq_test(gauge_tests
  ${CMAKE_CURRENT_LIST_DIR}/commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lifecycle_test.cpp)
target_link_libraries(gauge_tests PRIVATE vqhost)

# The module file as a host sees it: loaded by name, driven through its exports.
vq_test(module_file_tests
  ${CMAKE_CURRENT_LIST_DIR}/binary_interface_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flight_test.cpp)
target_link_libraries(module_file_tests PRIVATE vqhost)
add_dependencies(module_file_tests VQgauge)

if(WIN32)
  # The gauge file may import from system DLLs only.
  find_program(VQ_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
  add_test(NAME gauge_file_imports
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${VQ_OBJDUMP} -DMODULE=$<TARGET_FILE:VQgauge>
            -P ${CMAKE_CURRENT_LIST_DIR}/check_imports.cmake)
endif()
