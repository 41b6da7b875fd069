# Installation and the Debian package. `cmake --install` lays the program out
# as a desktop program: the executables in bin/, their read-only data in
# share/pelmorin/ (where the program looks when its own folder holds none),
# the menu entry, the icon, the type of the .vr maps and the manual pages.
# `cpack` (make package) wraps the same files in a .deb.
include(GNUInstallDirs)

set(PELMORIN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PELMORIN_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
set(PELMORIN_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/pelmorin)

install(TARGETS pelmorin pelmorin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only what the generator draws: a settings file left in the build folder by
# `make run` stays there.
install(DIRECTORY ${PELMORIN_OUTPUT_DIR}/img DESTINATION ${PELMORIN_DATA_DESTINATION}
        FILES_MATCHING PATTERN "*.bmp")
install(FILES ${PELMORIN_OUTPUT_DIR}/pelmorin.vr ${PELMORIN_OUTPUT_DIR}/notes.txt
        DESTINATION ${PELMORIN_DATA_DESTINATION})

install(FILES ${PELMORIN_PACKAGING_DIR}/pelmorin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PELMORIN_PACKAGING_DIR}/pelmorin-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME pelmorin.xml)
install(DIRECTORY ${PELMORIN_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Manual pages and the changelog are compressed the Debian way: best
# compression, no name or time stamp, so the same sources give the same bytes.
find_program(PELMORIN_GZIP gzip REQUIRED)
function(pelmorin_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${PELMORIN_GZIP} -9 -n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
set(PELMORIN_MAN_FILES "")
foreach(page pelmorin pelmorin-cli)
  configure_file(${PELMORIN_PACKAGING_DIR}/${page}.1.in ${PELMORIN_DESKTOP_DIR}/man/${page}.1 @ONLY)
  pelmorin_gzip(${PELMORIN_DESKTOP_DIR}/man/${page}.1 ${PELMORIN_DESKTOP_DIR}/man/${page}.1.gz)
  list(APPEND PELMORIN_MAN_FILES ${PELMORIN_DESKTOP_DIR}/man/${page}.1.gz)
endforeach()
pelmorin_gzip(${PELMORIN_PACKAGING_DIR}/changelog ${PELMORIN_DESKTOP_DIR}/changelog.gz)
add_custom_target(pelmorin_desktop_files ALL DEPENDS ${PELMORIN_MAN_FILES} ${PELMORIN_DESKTOP_DIR}/changelog.gz)
install(FILES ${PELMORIN_MAN_FILES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The documentation folder is named after the package, not the project.
install(FILES ${PELMORIN_PACKAGING_DIR}/copyright ${PELMORIN_DESKTOP_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pelmorin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmorin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Les auteurs de Pelmorin")
set(CPACK_PACKAGE_CONTACT "Les auteurs de Pelmorin <maintainers@users.noreply.c-seed-af133b31.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A companion of the game, not a game: the program lives in bin/, not games/.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from dpkg-shlibdeps; the platform plugins that let Qt
# open a window are loaded at run time, so nothing links them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cartes de Varenthe : visionneuse, éditeur et itinéraires")
# CPack puts the summary first and indents the rest itself.
set(CPACK_PACKAGE_DESCRIPTION "Pelmorin ouvre les cartes du jeu en ligne Varenthe (fichiers .vr), chacune
dans sa fenêtre, avec leurs provinces, leurs villes et leurs zones. Il
cherche les itinéraires les plus rapides à pied et en bateau, permet de
peindre les cartes à la palette et de les exporter en image bitmap.

pelmorin-cli fait le même travail sans fenêtre, pour les scripts.")
include(CPack)
