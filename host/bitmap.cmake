# Reading the background picture's bitmap file, for the host simulator and the
# tests. Built for the target, like them.
include_guard(GLOBAL)

add_library(vqhost_bitmap STATIC ${CMAKE_CURRENT_LIST_DIR}/bitmap_file.cpp)
target_include_directories(vqhost_bitmap PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
