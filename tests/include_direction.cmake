cmake_minimum_required(VERSION 3.25)
# Fails when an include runs against the layers, each a folder:
# core <- logic <- ui <- screens <- shell. A layer includes its own folder
# and those below it; tools (the programs besides toko) take core and logic.
# Nothing but core/database names SQLite's C API, core/server_connection
# libpq's, screens/printing/label_page libzint's.
#   cmake -DROOT=<source folder> -P include_direction.cmake
set(layers core logic ui screens shell)
set(allowed_tools core logic tools)

set(below "")
foreach(layer ${layers})
  list(APPEND below ${layer})
  set(allowed_${layer} ${below})
endforeach()

set(wrong "")
foreach(folder ${layers} tools)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.h")
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
      if(NOT target IN_LIST allowed_${folder})
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        string(APPEND wrong "  ${name}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
# Only one file names each outside C API.
file(GLOB_RECURSE sources "${ROOT}/core/*" "${ROOT}/logic/*" "${ROOT}/ui/*" "${ROOT}/screens/*"
  "${ROOT}/shell/*" "${ROOT}/tools/*" "${ROOT}/bench/*")
function(only_in owner api pattern)
  foreach(source ${sources})
    if(NOT source MATCHES "/${owner}\\.(cpp|h)$")
      file(STRINGS "${source}" calls REGEX "${pattern}")
      if(calls)
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        string(APPEND wrong "  ${name}: ${api} outside ${owner}\n")
      endif()
    endif()
  endforeach()
  set(wrong "${wrong}" PARENT_SCOPE)
endfunction()
only_in(core/database SQLite "sqlite3(_[a-z]|\\.h)")
only_in(core/server_connection libpq "libpq-fe\\.h|PQ[a-z]+\\(")
only_in(screens/printing/label_page libzint "<zint\\.h>|ZBarcode_")
if(wrong)
  message(FATAL_ERROR "Includes that run the wrong way:\n${wrong}")
endif()
