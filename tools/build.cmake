# Tools built with the module's code.

# vqreport: check, show and create report files, and restore recovery
# files. The commands live in vqreport_lib so that the tests can run them
# in-process; main.cpp only hands them the command line.
file(GLOB VQREPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/vqreport/*.cpp)
list(REMOVE_ITEM VQREPORT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/vqreport/main.cpp)
add_library(vqreport_lib OBJECT ${VQREPORT_SOURCES})
target_link_libraries(vqreport_lib PUBLIC vqcore)
add_executable(vqreport ${CMAKE_CURRENT_LIST_DIR}/vqreport/main.cpp)
target_link_libraries(vqreport PRIVATE vqreport_lib vqcore)
