# Copies SRC to DST only when DST does not exist yet (a player's own file is never replaced).
if(NOT EXISTS "${DST}" AND EXISTS "${SRC}")
  configure_file("${SRC}" "${DST}" COPYONLY)
endif()
