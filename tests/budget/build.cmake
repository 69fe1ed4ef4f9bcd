# The tests stay at most 0.40 of the code they test (check_budget.sh counts
# the source tree); the same count against a far lower limit must fail.
add_test(NAME test_budget COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_budget.sh ${PROJECT_SOURCE_DIR})
add_test(NAME test_budget_negative COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_budget.sh ${PROJECT_SOURCE_DIR} 0.05)
set_tests_properties(test_budget_negative PROPERTIES PASS_REGULAR_EXPRESSION "above their budget")
