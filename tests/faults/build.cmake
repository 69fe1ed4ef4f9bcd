vq_test(fault_tests
  ${CMAKE_CURRENT_LIST_DIR}/fault_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/injected_fault_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_system_fault_test.cpp)
