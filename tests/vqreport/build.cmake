vq_test(vqreport_tests
  ${CMAKE_CURRENT_LIST_DIR}/vqreport_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/show_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/new_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recover_test.cpp)
target_link_libraries(vqreport_tests PRIVATE vqreport_lib)

# The program itself with standard input and output for its files.
add_test(NAME vqreport_stdio COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/stdio.sh $<TARGET_FILE:vqreport>
  ${CMAKE_CROSSCOMPILING_EMULATOR})
set_tests_properties(vqreport_stdio PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
