vq_test(report_tests
  ${CMAKE_CURRENT_LIST_DIR}/report_model_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_bad_input_test.cpp)
