# The file calls of this program can be made to fail (platform/text_file.h).
vq_test(fault_tests MODULE vqcore_file_faults
  ${CMAKE_CURRENT_LIST_DIR}/crash_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fault_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/injected_fault_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_system_fault_test.cpp)
