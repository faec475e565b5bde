# Every target of the project compiles warning-free; a new warning fails the build.
function(n240qx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # At -O2, GCC 12's flow warnings fire on standard containers (variant moves, vector
    # inserts: its known false positives after inlining). Clang's build and the address
    # sanitizer check the real thing.
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized -Wno-array-bounds
                                             -Wno-stringop-overflow -Wno-stringop-overread)
  endif()
endfunction()

# One library or executable per folder: every .cpp below DIR (not recursing into
# folders listed in EXCLUDE) belongs to it, so adding a file needs no CMake edit.
function(n240qx_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${dir}/*.cpp")
  set(${out} ${found} PARENT_SCOPE)
endfunction()
