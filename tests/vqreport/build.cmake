vq_test(vqreport_tests
  ${CMAKE_CURRENT_LIST_DIR}/vqreport_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/new_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recover_test.cpp)
target_link_libraries(vqreport_tests PRIVATE vqreport_lib)
# The example report of the source tree, for the tests that look at it.
target_compile_definitions(vqreport_tests PRIVATE VQREPORT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
