# Copies the defaults of one folder of a new installation into the application
# folder, but only the files that are not there yet: a race director's roster,
# settings and own recordings survive every rebuild.
#
#   cmake -DSOURCE=<defaults folder> -DAPP_DIR=<application folder>
#         -DFOLDER=<QelDat|QelSound|Stats|Images> -P copy_missing.cmake
#
# SOURCE may be left out to only create the folder. Names are compared without
# regard to letter case, as the timer itself does: an existing FormHeight.dat
# is the same file as formheight.dat and keeps its place.

if(NOT APP_DIR OR NOT FOLDER)
  message(FATAL_ERROR "copy_missing.cmake needs APP_DIR and FOLDER")
endif()

# The folder may already be there under another case ("qeldat").
set(dest "${APP_DIR}/${FOLDER}")
string(TOLOWER "${FOLDER}" wanted)
file(GLOB entries LIST_DIRECTORIES true RELATIVE "${APP_DIR}" "${APP_DIR}/*")
foreach(entry IN LISTS entries)
  string(TOLOWER "${entry}" lower)
  if(lower STREQUAL wanted AND IS_DIRECTORY "${APP_DIR}/${entry}")
    set(dest "${APP_DIR}/${entry}")
    break()
  endif()
endforeach()
file(MAKE_DIRECTORY "${dest}")

if(NOT SOURCE)
  return()
endif()

file(GLOB present LIST_DIRECTORIES true RELATIVE "${dest}" "${dest}/*")
set(present_lower "")
foreach(name IN LISTS present)
  string(TOLOWER "${name}" lower)
  list(APPEND present_lower "${lower}")
endforeach()

file(GLOB defaults LIST_DIRECTORIES false RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(name IN LISTS defaults)
  if(name MATCHES "^\\.")
    continue()
  endif()
  string(TOLOWER "${name}" lower)
  list(FIND present_lower "${lower}" at)
  if(at EQUAL -1)
    file(COPY_FILE "${SOURCE}/${name}" "${dest}/${name}")
    message(STATUS "Default ${FOLDER}/${name}")
  endif()
endforeach()
