# Tests that CTest runs outside the GoogleTest executables.

# The frame-cost benchmark, once and briefly: it must run through on the built data files; its
# figures are not judged here (the machine running CI is shared and its load unknown).
if(TARGET tolmara-bench)
  add_test(NAME bench_quick COMMAND tolmara-bench --quick)
  set_tests_properties(bench_quick PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()

# The install: its layout and the validators of the desktop entry and the metainfo, then the
# installed game from a read-only copy keeping its saves under HOME.
add_test(NAME InstallLayoutValidates
         COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_BINARY_DIR}/check-install
                 -DAPP_ID=${TOLMARA_APP_ID} -P ${CMAKE_SOURCE_DIR}/tests/install/install_layout.cmake)
add_test(NAME InstalledGameSavesUnderHome
         COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_BINARY_DIR}/check-installed
                 -P ${CMAKE_SOURCE_DIR}/tests/install/installed_game.cmake)
# Both install the same build folder: one at a time.
set_tests_properties(InstallLayoutValidates InstalledGameSavesUnderHome PROPERTIES TIMEOUT 120
                     RESOURCE_LOCK install_tree)
# Every tool prints its usage on --help and refuses an option it does not know.
foreach(tool tolmara-levels tolmara-replay tolmara-shots tolmara-assets tolmara-levelsheet
        tolmara-soak tolmara-bench tolmara-editor)
  if(TARGET ${tool})
    add_test(NAME ${tool}_help COMMAND ${tool} --help)
    add_test(NAME ${tool}_refuses_an_unknown_option COMMAND ${tool} --no-such-option)
    set_tests_properties(${tool}_refuses_an_unknown_option PROPERTIES WILL_FAIL TRUE)
  endif()
endforeach()

# The editor's command line, and its table of keys in the README kept the same as the program's.
if(TARGET tolmara-editor)
  add_test(NAME EditorCommandLineAndKeysTable
           COMMAND ${CMAKE_COMMAND} -DEDITOR=$<TARGET_FILE:tolmara-editor>
                   -DREADME=${CMAKE_SOURCE_DIR}/README.md -DWORK=${CMAKE_BINARY_DIR}/check-editor-cli
                   -P ${CMAKE_SOURCE_DIR}/tests/editor/editor_command_line.cmake)
endif()
