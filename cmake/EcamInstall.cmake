# Install rules for the programs, their libraries and data, the desktop
# integration and man pages, and the Debian package built from them by
# CPack (cmake --build build --target package). The layout variables come
# from cmake/EcamInstallDirs.cmake.

set(ECAM_APP_ID org.ecameditor.ECamEditor)
set(ECAM_PACKAGING_DIR "${CMAKE_SOURCE_DIR}/packaging")

# Programs find the private libraries relative to themselves, the libraries
# find each other in their own folder: nothing depends on LD_LIBRARY_PATH
# or on where the tree is unpacked.
foreach(program ecam-host ecamctl ecam-drive-sim)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${ECAM_LIBS_FROM_BIN}")
    install(TARGETS ${program} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  endif()
endforeach()
foreach(library ecam_hostsrv RAZuvavivezUzo)
  if(TARGET ${library})
    set_target_properties(${library} PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${library} LIBRARY DESTINATION "${ECAM_INSTALL_PKGLIBDIR}" NAMELINK_SKIP)
  endif()
endforeach()

# Data the programs read, and the compiled translations (translations/).
install(FILES "${ECAM_RESOURCE_DIR}/funcodes.json" DESTINATION "${ECAM_INSTALL_DATADIR}")
install(DIRECTORY DESTINATION "${ECAM_INSTALL_TRANSLATIONSDIR}")
install(FILES ${ECAM_QM_FILES} DESTINATION "${ECAM_INSTALL_TRANSLATIONSDIR}")
file(GLOB ECAM_EXAMPLES CONFIGURE_DEPENDS "${ECAM_PACKAGING_DIR}/examples/*")
install(FILES ${ECAM_EXAMPLES} DESTINATION "${ECAM_INSTALL_EXAMPLESDIR}")

# Desktop entry, icon and AppStream metadata.
install(FILES "${ECAM_PACKAGING_DIR}/${ECAM_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${ECAM_PACKAGING_DIR}/${ECAM_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${ECAM_PACKAGING_DIR}/${ECAM_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# Man pages, stamped with the version and compressed as Debian ships them.
set(ECAM_MAN_PAGES "")
foreach(page ecam-host ecamctl ecam-drive-sim)
  set(stamped "${CMAKE_BINARY_DIR}/man/${page}.1")
  set(packed "${stamped}.gz")
  configure_file("${CMAKE_SOURCE_DIR}/man/${page}.1" "${stamped}" @ONLY)
  add_custom_command(OUTPUT "${packed}" COMMAND sh -c "gzip -9n -c '${stamped}' > '${packed}'"
                     DEPENDS "${stamped}" VERBATIM)
  list(APPEND ECAM_MAN_PAGES "${packed}")
endforeach()
add_custom_target(ecam_man_pages ALL DEPENDS ${ECAM_MAN_PAGES})
install(FILES ${ECAM_MAN_PAGES} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# What Debian policy asks of every package's documentation folder: the
# machine-readable copyright file and the changelog, compressed as dpkg
# expects (gzip -9n, so the package is reproducible). A version without a
# Debian revision makes this a native package, hence changelog.gz.
set(ECAM_INSTALL_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/ecam-editor")
set(ECAM_CHANGELOG_GZ "${CMAKE_BINARY_DIR}/packaging/changelog.gz")
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/packaging")
add_custom_command(OUTPUT "${ECAM_CHANGELOG_GZ}"
                   COMMAND sh -c "gzip -9n -c '${ECAM_PACKAGING_DIR}/debian/changelog' > '${ECAM_CHANGELOG_GZ}'"
                   DEPENDS "${ECAM_PACKAGING_DIR}/debian/changelog" VERBATIM)
add_custom_target(ecam_changelog ALL DEPENDS "${ECAM_CHANGELOG_GZ}")
install(FILES "${ECAM_PACKAGING_DIR}/debian/copyright" "${ECAM_CHANGELOG_GZ}" DESTINATION "${ECAM_INSTALL_DOCDIR}")

# The Debian package: ecam-editor_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ecam-editor)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "ECam Editor developers")
set(CPACK_PACKAGE_CONTACT "ECam Editor developers <maintainers@ecameditor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "electronic cam editor for servo drives")
# CPack puts the summary on the Description line and indents the body.
set(CPACK_PACKAGE_DESCRIPTION
    "Lays out a cam profile as key points, computes and plots slave position,
speed and acceleration over the master axis, keeps profiles in .ecam files,
and writes the cam table into a drive over Modbus TCP or RTU.

Contains the editor (ecam-host), the command-line tool ecamctl and a
simulated drive (ecam-drive-sim).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the binaries (dpkg-shlibdeps); it finds our
# private libraries inside the package through their $ORIGIN RUNPATH.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The texts are Chinese: without a CJK font they show as boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
# Qt's own dialogs and buttons speak the UI's language with these.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
