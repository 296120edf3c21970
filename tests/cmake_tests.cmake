# Tests that CTest runs outside the GoogleTest executables.

# The frame-cost benchmark, once and briefly: it must run through on the built data files; its
# figures are not judged here (the machine running CI is shared and its load unknown).
if(TARGET tolmara-bench)
  add_test(NAME bench_quick COMMAND tolmara-bench --quick)
  set_tests_properties(bench_quick PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()
