vq_test(picture_tests
  ${CMAKE_CURRENT_LIST_DIR}/background_picture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_file_test.cpp)
target_link_libraries(picture_tests PRIVATE vqhost_bitmap)

# The picture tests read the build's picture from their working directory.
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/background.bmp
  COMMAND ${CMAKE_COMMAND} -E copy ${VQ_BACKGROUND_BMP} ${CMAKE_CURRENT_BINARY_DIR}/background.bmp
  DEPENDS ${VQ_BACKGROUND_BMP}
  VERBATIM)
target_sources(picture_tests PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/background.bmp)
add_dependencies(picture_tests vq_background)
