# Fails when SDL appears outside the platform folders (src/media, src/audio, src/app).
file(GLOB_RECURSE FILES ${ROOT}/src/level/* ${ROOT}/src/game/* ${ROOT}/src/store/*
     ${ROOT}/src/render/* ${ROOT}/src/screens/*)
set(BAD "")
foreach(f ${FILES})
  file(STRINGS ${f} HITS REGEX "SDL")
  if(HITS)
    list(APPEND BAD ${f})
  endif()
endforeach()
if(BAD)
  message(FATAL_ERROR "SDL used outside src/media, src/audio and src/app: ${BAD}")
endif()
