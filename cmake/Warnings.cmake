# Every target of the project compiles warning-free; a new warning fails the build.
function(n240qx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports std::variant<std::string, ...> moves as maybe-uninitialized at -O2
    # (a known false positive of its inliner); clang and the sanitizers check the real thing.
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
endfunction()

# One library or executable per folder: every .cpp below DIR (not recursing into
# folders listed in EXCLUDE) belongs to it, so adding a file needs no CMake edit.
function(n240qx_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${dir}/*.cpp")
  set(${out} ${found} PARENT_SCOPE)
endfunction()
