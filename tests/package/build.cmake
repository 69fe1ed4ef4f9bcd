if(WIN32)
  # The pilots' package: package_zip builds it from this build with
  # tools/package.sh, package_contents unpacks and checks it.
  add_test(NAME package_zip COMMAND ${CMAKE_SOURCE_DIR}/tools/package.sh ${CMAKE_BINARY_DIR})
  add_test(NAME package_contents COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_package.sh
    ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/VQgauge-${PROJECT_VERSION}.zip $<TARGET_FILE:VQgauge>)
  set_tests_properties(package_zip PROPERTIES FIXTURES_SETUP package)
  set_tests_properties(package_contents PROPERTIES FIXTURES_REQUIRED package)
endif()
