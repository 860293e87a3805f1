# Checks that every source folder under src/ includes only the folders it builds on, so that the
# layering of the system is kept by the build: a wrong include fails the build with the file and
# line that break it.
#
#   cmake -DSOURCE_DIR=<src> -P CheckLayering.cmake
#
# A folder may include its own headers and those of the folders listed for it below.

cmake_minimum_required(VERSION 3.25)

set(allowed_platform "")
set(allowed_base     "")
set(allowed_table    base platform)
set(allowed_job      table base platform)
set(allowed_engine   job base platform)
set(allowed_dxf      base platform)
set(allowed_keys     "")
set(allowed_reports  engine job keys table base platform)
set(allowed_layouts  reports engine job dxf table base platform)
set(allowed_libraries job dxf table base platform)
set(allowed_tools    job table base platform)
set(allowed_app      layouts reports engine job dxf libraries keys tools table base platform)
set(allowed_render   base platform)
set(allowed_ui       app render layouts reports engine job dxf libraries keys tools table base platform)
set(allowed_cli      app render layouts reports engine job dxf libraries keys tools table base platform)

file(GLOB folders RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(problems "")
foreach(folder IN LISTS folders)
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/${folder})
    continue()
  endif()
  if(NOT DEFINED allowed_${folder})
    string(APPEND problems "\n  src/${folder}: a folder the layering does not know; add it to cmake/CheckLayering.cmake")
    continue()
  endif()
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z_]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([a-z_]+)/.*" "\\1" used "${line}")
      if(NOT used STREQUAL folder AND NOT used IN_LIST allowed_${folder})
        file(RELATIVE_PATH shown ${SOURCE_DIR}/.. ${source})
        string(APPEND problems "\n  ${shown}: ${line} (src/${folder} builds on: ${allowed_${folder}})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "Includes that break the layering of src/:${problems}")
endif()
