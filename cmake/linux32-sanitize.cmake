# The linux32 build with AddressSanitizer and UndefinedBehaviorSanitizer
# (gcc, lib32asan8, lib32ubsan1), for tools/sanitize.sh: every report stops
# the program, so a test that trips a sanitizer fails.
include(${CMAKE_CURRENT_LIST_DIR}/linux32.cmake)
set(VQ_SANITIZE_FLAGS "-O0 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all")
foreach(kind IN ITEMS C_FLAGS CXX_FLAGS EXE_LINKER_FLAGS SHARED_LINKER_FLAGS MODULE_LINKER_FLAGS)
  string(APPEND CMAKE_${kind}_INIT " ${VQ_SANITIZE_FLAGS}")
endforeach()
