vq_test(recovery_tests ${CMAKE_CURRENT_LIST_DIR}/recovery_test.cpp)
target_link_libraries(recovery_tests PRIVATE vqhost)
add_dependencies(recovery_tests VQgauge)
