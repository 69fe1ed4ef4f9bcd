# The host simulator, a developer's tool, as a whole: flights of the example
# report with the real module file, and what it does with bad input.
vq_test(vqsim_tests ${CMAKE_CURRENT_LIST_DIR}/example_flight_test.cpp)
target_link_libraries(vqsim_tests PRIVATE vqsim_lib)

# A shared library that loads but is no gauge module: no Linkage, no ImportTable.
add_library(vqsim_not_a_gauge SHARED ${CMAKE_CURRENT_LIST_DIR}/not_a_gauge.cpp)
set_target_properties(vqsim_not_a_gauge PROPERTIES PREFIX "" OUTPUT_NAME not_a_gauge
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
add_dependencies(vqsim_tests VQgauge vqsim_not_a_gauge)

# The program itself, as a user runs it, on the example report.
if(WIN32)
  set(VQSIM_EXAMPLE Z:${CMAKE_SOURCE_DIR}/examples/tolvanix.rec)
else()
  set(VQSIM_EXAMPLE ${CMAKE_SOURCE_DIR}/examples/tolvanix.rec)
endif()
# A save that leaves the recovery file fails it; and it runs again into its
# own folder.
add_test(NAME vqsim_example COMMAND vqsim ${VQSIM_EXAMPLE} --out vqsim-example --quiet)
add_test(NAME vqsim_example_again COMMAND vqsim ${VQSIM_EXAMPLE} --out vqsim-example --quiet)
set_tests_properties(vqsim_example vqsim_example_again PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  PASS_REGULAR_EXPRESSION "Report: vqsim-example.tolvanix.rec")
set_tests_properties(vqsim_example_again PROPERTIES DEPENDS vqsim_example)
