cmake_minimum_required(VERSION 3.20)
# The shape of the code, read from the includes (cmake -DROOT=<source folder> -P this file):
#  - the folders of src/ are layers; a file includes only its own folder and the layers below:
#      media  <  level, store  <  game  <  render, audio  <  screens  <  app
#    folders of one layer do not include each other;
#  - SDL is included only in src/media, src/audio and src/app, and, among the tools and tests,
#    only by the files listed below, each for its reason.
set(LAYER_media 1)
set(LAYER_level 2)
set(LAYER_store 2)
set(LAYER_game 3)
set(LAYER_render 4)
set(LAYER_audio 4)
set(LAYER_screens 5)
set(LAYER_app 6)
set(SDL_FOLDERS media audio app)
set(SDL_EXCEPTIONS
  # records the mixer's output through the disk audio driver
  tests/audio/audio_capture.cpp
  # reads the mixer's own volume levels that the volume control sets
  tests/audio/volume_test.cpp
  # halts the mixer's music from outside, as a song that stops all by itself
  tests/audio/music_test.cpp
  # plugs in a virtual joystick
  tests/media/input_test.cpp
  # reads the window's own pixels that presenting writes, and sends it window events
  tests/app/presented_pixels_test.cpp
  # measure SDL's own ways of presenting a frame, beside the game's
  tools/bench/bench_calibration.cpp
  tools/bench/bench_children.cpp)

set(PROBLEMS "")
file(GLOB_RECURSE SOURCES RELATIVE ${ROOT} ${ROOT}/src/*.h ${ROOT}/src/*.cpp)
foreach(file ${SOURCES})
  string(REGEX REPLACE "^src/([a-z]+)/.*" "\\1" folder ${file})
  if(NOT DEFINED LAYER_${folder})
    list(APPEND PROBLEMS "${file}: src/${folder} is no layer")
    continue()
  endif()
  file(STRINGS ${ROOT}/${file} INCLUDES REGEX "^#include [\"<]")
  foreach(line ${INCLUDES})
    if(line MATCHES "^#include \"([a-z]+)/")
      set(target ${CMAKE_MATCH_1})
      if(DEFINED LAYER_${target} AND NOT target STREQUAL folder AND
         NOT LAYER_${target} LESS LAYER_${folder})
        list(APPEND PROBLEMS "${file} (${folder}) includes ${target}: ${line}")
      endif()
    endif()
    if(line MATCHES "^#include [\"<]SDL" AND NOT folder IN_LIST SDL_FOLDERS)
      list(APPEND PROBLEMS "${file}: SDL outside src/media, src/audio and src/app: ${line}")
    endif()
  endforeach()
endforeach()

file(GLOB_RECURSE OTHERS RELATIVE ${ROOT} ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp
     ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp)
foreach(file ${OTHERS})
  file(STRINGS ${ROOT}/${file} HITS REGEX "^#include [\"<]SDL")
  if(HITS AND NOT file IN_LIST SDL_EXCEPTIONS)
    list(APPEND PROBLEMS "${file}: SDL used directly (go through src/media, src/audio or src/app)")
  endif()
endforeach()

if(PROBLEMS)
  string(REPLACE ";" "\n  " TEXT "${PROBLEMS}")
  message(FATAL_ERROR "The layers are broken:\n  ${TEXT}")
endif()
