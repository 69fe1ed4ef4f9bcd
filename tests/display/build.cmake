vq_test(display_tests
  ${CMAKE_CURRENT_LIST_DIR}/lines_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arrival_test.cpp)
target_link_libraries(display_tests PRIVATE vqhost)
