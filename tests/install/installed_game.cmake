# The installed game from a read-only copy of the install, with HOME set to a scratch folder: the
# first start copies the default settings into HOME/.local/share/tolmara-deepgrid/, a player
# added through the game's own screens (tolmara-keys types the keys headless) is saved there, a
# second start of the game keeps it, and nothing is ever written into the install.
# cmake -DBUILD=<build folder> -DWORK=<scratch folder> -P installed_game.cmake

if(EXISTS ${WORK})
  execute_process(COMMAND chmod -R u+w ${WORK})
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/stage ${WORK}/home)
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK}/stage
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()
set(INSTALL ${WORK}/readonly)
file(COPY ${WORK}/stage/usr/ DESTINATION ${INSTALL})
execute_process(COMMAND chmod -R a-w ${INSTALL})
file(GLOB_RECURSE before LIST_DIRECTORIES true ${INSTALL}/*)

set(SAVES ${WORK}/home/.local/share/tolmara-deepgrid)
set(RUN ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME HOME=${WORK}/home SDL_VIDEODRIVER=dummy
        SDL_AUDIODRIVER=dummy)

# The game itself, ended after two seconds as a player's window manager would end it: SIGTERM
# runs the shutdown sequence, which saves the players and the settings.
function(run_game)
  execute_process(COMMAND ${RUN} timeout --preserve-status -s TERM 2 ${INSTALL}/games/tolmara
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed game ended with ${status}:\n${output}")
  endif()
endfunction()

function(expect_players hex what)
  if(NOT EXISTS ${SAVES}/playersnames.grf)
    message(FATAL_ERROR "${what}: no players file in ${SAVES}")
  endif()
  file(READ ${SAVES}/playersnames.grf players HEX)
  if(NOT players MATCHES "${hex}")
    message(FATAL_ERROR "${what}: the players file holds ${players}")
  endif()
endfunction()

run_game()
if(NOT EXISTS ${SAVES}/tolmarakx.cfg)
  message(FATAL_ERROR "the first start did not copy the default settings into ${SAVES}")
endif()
execute_process(COMMAND stat -c %a ${SAVES} OUTPUT_VARIABLE mode OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT mode STREQUAL "700")
  message(FATAL_ERROR "${SAVES} was made with mode ${mode}, not 700")
endif()
expect_players("^00000000" "after the first start")

# The main menu's first item leads a game without players to the name field: "Ann", Enter.
execute_process(COMMAND ${RUN} ${INSTALL}/lib/tolmara-deepgrid/tolmara-keys click:320,240
                        wait:60 key:Enter wait:40 type:Ann key:Enter wait:10
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tolmara-keys ended with ${status}:\n${output}")
endif()
# One player, then the record: length 3, "Ann", level 1.
expect_players("^01000000.*03416e6e01000000" "after adding Ann")

run_game()
expect_players("^01000000.*03416e6e01000000" "after the game started again")

file(GLOB_RECURSE after LIST_DIRECTORIES true ${INSTALL}/*)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "files appeared in the install:\n${after}")
endif()
execute_process(COMMAND chmod -R u+w ${WORK})
file(REMOVE_RECURSE ${WORK})
