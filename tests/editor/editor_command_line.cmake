# The editor's command line: --help names the keys and succeeds, --keys prints the very table the
# README shows, a picture of a file that cannot be opened fails naming the file.
#   cmake -DEDITOR=<tolmara-editor> -DREADME=<README.md> -DWORK=<scratch folder> -P this
execute_process(COMMAND ${EDITOR} --help RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "usage: tolmara-editor" OR NOT out MATCHES "--keys")
  message(FATAL_ERROR "--help: exit ${status}, stdout '${out}', stderr '${err}'")
endif()

execute_process(COMMAND ${EDITOR} --no-such-option RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL 2 OR NOT err MATCHES "usage:")
  message(FATAL_ERROR "an unknown option: exit ${status}, stderr '${err}'")
endif()

execute_process(COMMAND ${EDITOR} --keys RESULT_VARIABLE status OUTPUT_VARIABLE keys)
file(READ ${README} readme)
string(REGEX MATCH "<!-- editor keys: begin -->\n(.*)<!-- editor keys: end -->" found "${readme}")
if(NOT status EQUAL 0 OR NOT found)
  message(FATAL_ERROR "--keys: exit ${status}, or no table of editor keys in ${README}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL keys)
  message(FATAL_ERROR "The table of editor keys in ${README} is not what `tolmara-editor --keys` "
                      "prints; put its output between the markers:\n${keys}")
endif()

file(MAKE_DIRECTORY ${WORK})
foreach(missing ${WORK}/no-such-set.lev ${WORK}/no-such-level.lvl)
  file(REMOVE ${WORK}/picture.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
                          ${EDITOR} --screenshot ${WORK}/picture.png ${missing}
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(status EQUAL 0 OR NOT err MATCHES "no-such-" OR EXISTS ${WORK}/picture.png)
    message(FATAL_ERROR "a picture of ${missing}: exit ${status}, stderr '${err}'")
  endif()
endforeach()
