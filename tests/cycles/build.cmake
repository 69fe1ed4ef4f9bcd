# Load/unload cycles of a gauge file in one process (Windows build): nothing
# may grow. Run on the gauge file, on a clean stand-in and on the stand-in with
# each planted leak, which must fail and name what grew.
if(WIN32)
  add_executable(load_cycles ${CMAKE_CURRENT_LIST_DIR}/load_cycles.cpp)
  target_link_libraries(load_cycles PRIVATE vqtest_support vqcore)
  add_dependencies(load_cycles VQgauge)
  add_test(NAME load_cycles COMMAND load_cycles)

  add_library(planted_leak SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_leak.cpp)
  target_include_directories(planted_leak PRIVATE ${CMAKE_SOURCE_DIR})
  set_target_properties(planted_leak PROPERTIES PREFIX "" SUFFIX ".gau")
  add_dependencies(load_cycles planted_leak)
  foreach(leak IN ITEMS none tls heap thread)
    add_test(NAME load_cycles_planted_${leak} COMMAND load_cycles planted_leak.gau)
    set_tests_properties(load_cycles_planted_${leak} PROPERTIES ENVIRONMENT VQ_PLANTED_LEAK=${leak})
  endforeach()
  set_tests_properties(load_cycles load_cycles_planted_none load_cycles_planted_tls
    load_cycles_planted_heap load_cycles_planted_thread PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(load_cycles_planted_tls PROPERTIES PASS_REGULAR_EXPRESSION "\ntls [^\n]*GREW\n.*FAILED")
  set_tests_properties(load_cycles_planted_heap PROPERTIES PASS_REGULAR_EXPRESSION "\nmemory [^\n]*GREW\n.*FAILED")
  set_tests_properties(load_cycles_planted_thread PROPERTIES PASS_REGULAR_EXPRESSION "\nthreads [^\n]*GREW\n.*FAILED")
endif()
