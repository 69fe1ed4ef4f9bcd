# The host's side of the panel interface, shared by the tests' host double and
# the host simulator.
add_library(vqhost STATIC ${CMAKE_SOURCE_DIR}/host/panel_host.cpp)
target_include_directories(vqhost PUBLIC ${CMAKE_SOURCE_DIR})
