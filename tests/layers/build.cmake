# The module's layers depend one way (tests/layers/check_layers.sh); planted
# upward includes (the report layer into the gauge, the nav log into the
# tools) must each fail the check.
add_test(NAME layers COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_layers.sh ${PROJECT_SOURCE_DIR})
add_test(NAME layers_negative COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_layers.sh ${CMAKE_CURRENT_LIST_DIR}/upward)
set_tests_properties(layers_negative PROPERTIES
  PASS_REGULAR_EXPRESSION
  "navlog/planted.cpp:3: navlog includes tools, a layer above it
report/planted.cpp:3: report includes gauge, a layer above it
2 upward includes")

# The report's file names are written once (report/file_names.h); a planted
# literal must fail the check.
add_test(NAME file_names COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_file_names.sh ${PROJECT_SOURCE_DIR})
add_test(NAME file_names_negative COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_file_names.sh ${CMAKE_CURRENT_LIST_DIR}/upward)
set_tests_properties(file_names_negative PROPERTIES PASS_REGULAR_EXPRESSION "host/planted_name.cpp:2:")
