# The host's side of the panel interface, shared by the tests' host double and
# the host simulator: the service table and the loading of a module file.
add_library(vqhost STATIC ${CMAKE_SOURCE_DIR}/host/panel_host.cpp ${CMAKE_SOURCE_DIR}/host/module_file.cpp)
target_include_directories(vqhost PUBLIC ${CMAKE_SOURCE_DIR})
if(NOT WIN32)
  target_link_libraries(vqhost PUBLIC ${CMAKE_DL_LIBS})
endif()
