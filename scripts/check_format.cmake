cmake_minimum_required(VERSION 3.20)
# Fails when a source file differs from what clang-format makes of it
# (cmake -DROOT=<source folder> -DCLANG_FORMAT=<clang-format> -P this file).
file(GLOB_RECURSE FILES ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp
     ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${FILES}
                RESULT_VARIABLE RESULT ERROR_VARIABLE ERRORS)
if(NOT RESULT EQUAL 0)
  message(FATAL_ERROR "Not formatted as .clang-format says (run clang-format -i on them):\n${ERRORS}")
endif()
