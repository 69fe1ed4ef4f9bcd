vq_test(progress_tests
  ${CMAKE_CURRENT_LIST_DIR}/time_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timing_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fuel_test.cpp)
target_link_libraries(progress_tests PRIVATE vqhost)
