# Runs check_layering.cmake on a small tree with known faults and expects
# exactly those reported, so the check cannot quietly pass everything.
#   cmake -DCHECK=<check_layering.cmake> -DWORK_DIR=<scratch dir> -P check_layering_selftest.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK_DIR}")
function(put path text)
  file(WRITE "${WORK_DIR}/${path}" "${text}\n")
endfunction()

put(cam/point.h "#include <vector>\n#include \"cam/seg.h\"\n#include \"grid/list.h\"")
put(ui/look.h "#include \"ui/panel/dlg.h\"")
put(ui/panel/dlg.cpp "  #  include \"ui/look.h\"\n#include \"ui/export/api.h\"\n#include \"drive/table.h\"")
put(ui/export/api.cpp "#include \"ui/panel/dlg.h\"\n#include \"ecam_version.h\"")
put(drive/panel/cmd.cpp "#include \"ui/look.h\"")
put(app/main.cpp "#include \"tools/x/y.h\"")
put(tests/ui/t.cpp "#include \"app/main.h\"")
put(ui/CMakeLists.txt "file(GLOB S panel/*.cpp \${CMAKE_SOURCE_DIR}/drive/panel/*.cpp)\ninclude_directories(\${CMAKE_SOURCE_DIR})")
put(sim/CMakeLists.txt "add_library(s ../cam/point.cpp \${CMAKE_CURRENT_SOURCE_DIR}/main.cpp) # ../x/y.cpp")
put(tests/app/CMakeLists.txt "add_executable(t \${PROJECT_SOURCE_DIR}/app/main.cpp)")

execute_process(COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${WORK_DIR}" -P "${CHECK}"
                RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
string(REGEX MATCHALL "[^\n]*: (includes|compiles) [^\n]*" got "${err}")

set(want
  "app/main.cpp: includes tools/x/y.h (lower folder app may not include higher folder tools)"
  "cam/point.h: includes grid/list.h (lower folder cam may not include higher folder grid)"
  "drive/panel/cmd.cpp: includes ui/look.h (lower folder drive may not include higher folder ui)"
  "ui/look.h: includes ui/panel/dlg.h (lower folder ui may not include higher folder ui/panel)"
  "ui/panel/dlg.cpp: includes ui/export/api.h (lower folder ui/panel may not include higher folder ui/export)"
  "sim/CMakeLists.txt: compiles ../cam/point.cpp (folder sim may not build sources of folder cam)"
  "tests/app/CMakeLists.txt: compiles \${PROJECT_SOURCE_DIR}/app/main.cpp (folder tests may not build sources of folder app)"
  "ui/CMakeLists.txt: compiles \${CMAKE_SOURCE_DIR}/drive/panel/*.cpp (folder ui may not build sources of folder drive)")
if(rc EQUAL 0 OR NOT got STREQUAL want)
  string(REPLACE ";" "\n  " got "${got}")
  string(REPLACE ";" "\n  " want "${want}")
  message(FATAL_ERROR "check_layering (exit ${rc}) reported\n  ${got}\nexpected\n  ${want}")
endif()
