# Fails when a source file differs from what the repository's .clang-format makes of it, naming
# the file and line. Run as: cmake -DSOURCE_DIR=... -DCLANG_FORMAT=... -P CheckFormat.cmake
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE sources LIST_DIRECTORIES false
     ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp
     ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp
     ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --style=file --dry-run -Werror ${sources}
                RESULT_VARIABLE status ERROR_VARIABLE complaints)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${complaints}Format these files with: clang-format -i FILE")
endif()
list(LENGTH sources count)
message(STATUS "${count} files formatted as .clang-format says")
