# Our own code builds warning-free; clients that include our headers see them as
# system headers (see keyra_public_includes) and get no warnings from them.
function(keyra_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(KEYRA_SANITIZE)
    # GCC's sanitizer instrumentation makes this warning fire on standard-library code.
    target_compile_options(${target} PRIVATE -Wno-error=maybe-uninitialized)
  endif()
endfunction()

# A static library of one subsystem: sources in the folder, headers beside them.
function(keyra_add_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>)
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
  keyra_set_warnings(${target})
endfunction()
