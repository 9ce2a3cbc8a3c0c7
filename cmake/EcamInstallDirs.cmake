# Where things go when installed, and the relative paths the programs use to
# find them from their own location, so an install into any prefix (or a
# package unpacked under /usr) works without LD_LIBRARY_PATH or settings.
include(GNUInstallDirs)

# Our two shared libraries have no stable ABI of their own: they live in a
# private folder next to the system libraries, found through RUNPATH.
set(ECAM_INSTALL_PKGLIBDIR "${CMAKE_INSTALL_LIBDIR}/ecam-editor")
set(ECAM_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/ecam-editor")
set(ECAM_INSTALL_TRANSLATIONSDIR "${ECAM_INSTALL_DATADIR}/translations")
set(ECAM_INSTALL_EXAMPLESDIR "${ECAM_INSTALL_DATADIR}/examples")

cmake_path(ABSOLUTE_PATH ECAM_INSTALL_PKGLIBDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE _ecam_full_pkglibdir)
cmake_path(ABSOLUTE_PATH ECAM_INSTALL_DATADIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE _ecam_full_datadir)
# From the program folder to the private libraries and to the data.
cmake_path(RELATIVE_PATH _ecam_full_pkglibdir BASE_DIRECTORY "${CMAKE_INSTALL_FULL_BINDIR}"
           OUTPUT_VARIABLE ECAM_LIBS_FROM_BIN)
cmake_path(RELATIVE_PATH _ecam_full_datadir BASE_DIRECTORY "${CMAKE_INSTALL_FULL_BINDIR}"
           OUTPUT_VARIABLE ECAM_DATA_FROM_BIN)
unset(_ecam_full_pkglibdir)
unset(_ecam_full_datadir)

# Programs built here may fall back to the source tree's resources/ when
# nothing is installed beside them (run.sh, the tests). A package turns this
# off, so its programs name no build machine path and use only their own.
option(ECAM_DATA_FROM_SOURCE_TREE "Let programs fall back to the source tree's data" ON)
if(ECAM_DATA_FROM_SOURCE_TREE)
  set(ECAM_DATA_FALLBACK_DIR "${ECAM_RESOURCE_DIR}")
else()
  set(ECAM_DATA_FALLBACK_DIR "")
endif()
