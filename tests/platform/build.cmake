vq_test(platform_tests
  ${CMAKE_CURRENT_LIST_DIR}/decimal_test.cpp)
