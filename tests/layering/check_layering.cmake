# Folders include downward only, and each folder's CMakeLists.txt builds only
# its own sources. Run as
#   cmake -DSOURCE_DIR=<tree> -P check_layering.cmake
# Prints one line per violation and fails when there is any.
#
# Order, lowest first. Inside ui/, the function-code dialog, the panel and
# the exported API sit above the shared ui code, each above the one before;
# every other subfolder (files/fuzz, tools/ecamctl, ...) belongs to its top
# folder. tests/ and bench/ may include anything.
cmake_minimum_required(VERSION 3.25)
set(ECAM_LAYERS cam host sim files drive grid ui ui/funcode ui/panel ui/export app tools)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "check_layering: SOURCE_DIR is not set")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

# The layer a path relative to the tree belongs to, or "" when none does.
function(layer_of path out)
  set(found "")
  foreach(layer IN LISTS ECAM_LAYERS)
    string(LENGTH "${layer}/" n)
    string(SUBSTRING "${path}" 0 ${n} head)
    if(head STREQUAL "${layer}/")
      set(found "${layer}")  # later (deeper) matches win: ui/panel over ui
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(violations 0)

# Quoted includes naming a layer's folder.
set(sources "")
foreach(layer IN LISTS ECAM_LAYERS)
  file(GLOB_RECURSE found RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.hpp"
       "${SOURCE_DIR}/${layer}/*.cpp" "${SOURCE_DIR}/${layer}/*.cc" "${SOURCE_DIR}/${layer}/*.c")
  list(APPEND sources ${found})
endforeach()
list(REMOVE_DUPLICATES sources)
list(SORT sources)
foreach(source IN LISTS sources)
  layer_of("${source}" from)
  list(FIND ECAM_LAYERS "${from}" fromRank)
  file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
    layer_of("${included}" to)
    if(to STREQUAL "")
      continue()  # same-folder, generated or system header
    endif()
    list(FIND ECAM_LAYERS "${to}" toRank)
    if(toRank GREATER fromRank)
      message(NOTICE "${source}: includes ${included} (lower folder ${from} may not include higher folder ${to})")
      math(EXPR violations "${violations} + 1")
    endif()
  endforeach()
endforeach()

# Sources of another folder compiled into this folder's targets.
# Only the source folders: a build tree inside the sources is no concern.
set(lists "")
foreach(top IN LISTS ECAM_LAYERS ITEMS resources tests bench)
  file(GLOB_RECURSE found RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${top}/CMakeLists.txt")
  list(APPEND lists ${found})
endforeach()
list(REMOVE_DUPLICATES lists)
list(SORT lists)
foreach(list IN LISTS lists)
  get_filename_component(own "${list}" DIRECTORY)
  string(REGEX REPLACE "/.*" "" ownTop "${own}")
  file(STRINGS "${SOURCE_DIR}/${list}" lines)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    # From the top of the tree, or climbing out of this folder.
    string(REGEX MATCHALL "\\\${(CMAKE_SOURCE_DIR|PROJECT_SOURCE_DIR)}/[^ \t\")]+|(\\\${CMAKE_CURRENT_SOURCE_DIR}/)?(\\.\\./)+[^ \t\")]+" refs "${line}")
    foreach(ref IN LISTS refs)
      if(NOT ref MATCHES "\\.(cpp|cc|c|h|hpp)$")
        continue()  # include directories, resource paths
      endif()
      if(ref MATCHES "^\\\${(CMAKE_SOURCE_DIR|PROJECT_SOURCE_DIR)}/")
        string(REGEX REPLACE "^\\\${[A-Z_]+}/" "" path "${ref}")
      else()
        string(REGEX REPLACE "^\\\${CMAKE_CURRENT_SOURCE_DIR}/" "" path "${ref}")
        cmake_path(SET path NORMALIZE "${own}/${path}")
      endif()
      string(REGEX REPLACE "/.*" "" top "${path}")
      if(NOT top STREQUAL ownTop)
        message(NOTICE "${list}: compiles ${ref} (folder ${ownTop} may not build sources of folder ${top})")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "check_layering: ${violations} violation(s)")
endif()
