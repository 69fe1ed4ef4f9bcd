vq_test(vqreport_tests
  ${CMAKE_CURRENT_LIST_DIR}/vqreport_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/new_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recover_test.cpp)
target_link_libraries(vqreport_tests PRIVATE vqreport_lib)
