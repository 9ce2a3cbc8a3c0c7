# Installs the build into PREFIX and checks the result:
#  - the files are exactly EXPECTED ("|"-separated, relative to the prefix)
#    plus the translations folder, which holds nothing but .qm files;
#  - the metainfo's newest release is the project VERSION;
#  - the installed programs resolve their private libraries inside the
#    prefix and run without LD_LIBRARY_PATH: ecamctl --version, ecamctl
#    curve on the installed example, ecam-host --screenshot off-screen;
#  - they read the catalogue installed in the prefix, not the source tree's
#    (a name changed in the installed copy shows up in ecamctl's listing).
# Run as cmake -DBUILD_DIR=... -DPREFIX=... -DEXPECTED=... -DVERSION=...
#   -DBINDIR=... -DDATADIR=... -DTRANSLATIONSDIR=... -DEXAMPLESDIR=...
#   -DPKGLIBDIR=... -P check_install.cmake
cmake_minimum_required(VERSION 3.25)

set(failures 0)
macro(fail text)
  message(NOTICE "InstallTree: ${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

# Runs a program of the prefix with a clean library path; sets rc, out, err.
macro(run_installed)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH --unset=ECAM_FUNCODES
                          QT_QPA_PLATFORM=offscreen ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
endmacro()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "InstallTree: cmake --install failed (${rc}):\n${out}${err}")
endif()

# Exactly the expected files.
string(REPLACE "|" ";" expected "${EXPECTED}")
list(SORT expected)
file(GLOB_RECURSE installed RELATIVE "${PREFIX}" LIST_DIRECTORIES false "${PREFIX}/*")
list(SORT installed)
list(FILTER installed EXCLUDE REGEX "^${TRANSLATIONSDIR}/[^/]+\\.qm$")
set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(extra ${installed})
list(REMOVE_ITEM extra ${expected})
if(missing)
  fail("not installed: ${missing}")
endif()
if(extra)
  fail("installed but not expected: ${extra}")
endif()
if(NOT IS_DIRECTORY "${PREFIX}/${TRANSLATIONSDIR}")
  fail("no translations folder ${TRANSLATIONSDIR}")
endif()

file(GLOB metainfo "${PREFIX}/*/metainfo/*.metainfo.xml")
if(metainfo)
  file(READ "${metainfo}" text)
  string(REGEX MATCH "<release version=\"([^\"]*)\"" found "${text}")
  if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    fail("the metainfo's newest release is '${CMAKE_MATCH_1}', the project is ${VERSION}")
  endif()
endif()

set(bin "${PREFIX}/${BINDIR}")
# Every private library resolves inside the prefix, none from the build tree.
foreach(program ecam-host ecamctl ecam-drive-sim)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH ldd "${bin}/${program}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  foreach(lib libecam_hostsrv.so libRAZuvavivezUzo.so)
    if(program STREQUAL "ecam-host" OR lib STREQUAL "libecam_hostsrv.so")
      set(loaded "")
      string(REGEX MATCH "${lib} => (/[^ \n]+)" found "${out}")
      if(found)
        file(REAL_PATH "${CMAKE_MATCH_1}" loaded)
      endif()
      file(REAL_PATH "${PREFIX}/${PKGLIBDIR}/${lib}" wanted)
      if(NOT loaded STREQUAL wanted)
        fail("${program} loads ${lib} from '${loaded}' (empty: not found), not from the prefix ${err}")
      endif()
    endif()
  endforeach()
  if(out MATCHES "not found")
    fail("${program} misses libraries:\n${out}")
  endif()
endforeach()

run_installed("${bin}/ecamctl" --version)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "ecamctl ${VERSION}\n")
  fail("ecamctl --version: rc ${rc}, '${out}' ${err}")
endif()

# The example's curve: the CSV header, then samples whose key points are
# the example's own key points, in order.
file(GLOB example "${PREFIX}/${EXAMPLESDIR}/*.ecam")
file(GLOB exampleCsv "${PREFIX}/${EXAMPLESDIR}/*.csv")
run_installed("${bin}/ecamctl" curve "${example}")
if(NOT rc EQUAL 0 OR NOT out MATCHES "^x,position,speed,accel,key\n")
  fail("ecamctl curve ${example}: rc ${rc}, ${err}")
else()
  string(REGEX MATCHALL "\n[^,\n]*,[^,\n]*,[^,\n]*,[^,\n]*,1" keys "${out}")
  string(REGEX MATCHALL "\n[0-9.-]+," keyMasters "${keys}")
  file(STRINGS "${exampleCsv}" points REGEX "^[0-9.-]+,")
  set(pointMasters "")
  foreach(point IN LISTS points)
    string(REGEX MATCH "^[0-9.-]+" master "${point}")
    list(APPEND pointMasters "${master}")
  endforeach()
  set(curveMasters "")
  foreach(key IN LISTS keyMasters)
    string(REGEX REPLACE "[\n,]" "" key "${key}")
    list(APPEND curveMasters "${key}")
  endforeach()
  list(REMOVE_DUPLICATES curveMasters)
  if(NOT curveMasters STREQUAL pointMasters OR NOT pointMasters)
    fail("the example's curve has key points at '${curveMasters}', its points are at '${pointMasters}'")
  endif()
endif()

set(picture "${PREFIX}/panel.png")
run_installed("${bin}/ecam-host" --screenshot "${picture}" --size 640x480)
file(SIZE "${picture}" size)
if(NOT rc EQUAL 0 OR NOT size GREATER 1000)
  fail("ecam-host --screenshot: rc ${rc}, ${size} bytes, ${err}")
else()
  file(READ "${picture}" magic LIMIT 8 HEX)
  if(NOT magic STREQUAL "89504e470d0a1a0a")
    fail("ecam-host --screenshot wrote no PNG (${magic})")
  endif()
endif()

# The installed catalogue is the one read: mark a name in it.
set(catalogue "${PREFIX}/${DATADIR}/funcodes.json")
file(READ "${catalogue}" text)
string(REPLACE "\"凸轮运行模式\"" "\"凸轮运行模式(已安装)\"" marked "${text}")
if(marked STREQUAL text)
  fail("the catalogue has no parameter named 凸轮运行模式 to mark")
endif()
file(WRITE "${catalogue}" "${marked}")
run_installed("${bin}/ecamctl" params --device sim list)
string(FIND "${out}" "凸轮运行模式(已安装)" at)
if(NOT rc EQUAL 0 OR at EQUAL -1)
  fail("installed ecamctl did not read ${catalogue}: rc ${rc}\n${out}${err}")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "InstallTree: ${failures} failure(s)")
endif()
