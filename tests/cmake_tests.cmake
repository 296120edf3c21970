# Tests that CTest runs outside the GoogleTest executables.

# The frame-cost benchmark, once and briefly: it must run through on the built data files; its
# figures are not judged here (the machine running CI is shared and its load unknown).
if(TARGET tolmara-bench)
  add_test(NAME bench_quick COMMAND tolmara-bench --quick)
  set_tests_properties(bench_quick PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()

# Every tool prints its usage on --help and refuses an option it does not know.
foreach(tool tolmara-levels tolmara-replay tolmara-shots tolmara-assets tolmara-levelsheet
        tolmara-soak tolmara-bench)
  if(TARGET ${tool})
    add_test(NAME ${tool}_help COMMAND ${tool} --help)
    add_test(NAME ${tool}_refuses_an_unknown_option COMMAND ${tool} --no-such-option)
    set_tests_properties(${tool}_refuses_an_unknown_option PROPERTIES WILL_FAIL TRUE)
  endif()
endforeach()
