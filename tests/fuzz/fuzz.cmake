# libFuzzer targets for the game's file readers, built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/fuzz.sh configures a build dir with TOLMARA_FUZZ=ON).
# Each tests/fuzz/<name>_fuzz.cpp becomes the executable fuzz_<name>; fuzz_support.cpp is shared.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TOLMARA_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()

set(TOLMARA_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
# The game's code gets the sanitizers and the fuzzer's coverage hooks, but no fuzzer main.
target_compile_options(tolmara_core PRIVATE ${TOLMARA_FUZZ_SANITIZERS} -fsanitize=fuzzer-no-link)

file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
set(TOLMARA_FUZZERS)
foreach(source ${FUZZ_TARGET_SOURCES})
  get_filename_component(stem ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${stem})
  add_executable(fuzz_${name} ${source} ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_support.cpp)
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(fuzz_${name} PRIVATE ${TOLMARA_FUZZ_SANITIZERS} -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE ${TOLMARA_FUZZ_SANITIZERS} -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE tolmara_core)
  set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  list(APPEND TOLMARA_FUZZERS fuzz_${name})
endforeach()
add_custom_target(fuzzers DEPENDS ${TOLMARA_FUZZERS})
