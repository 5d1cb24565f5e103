# Where `cmake --install` puts the program on Linux, and the Debian package (`cpack -G DEB`).
#   bin/                                   kistenlotse, kistenlotse-plan
#   share/kistenlotse/                     print templates (*.gif), kistenlotse-hilfe.html
#   share/applications/                    the desktop entry
#   share/icons/hicolor/*/apps/            the icon, SVG and PNG 16..256 (drawn by tools/artwork)
#   share/mime/packages/                   the file type of plan files (*.kvr)
#   share/metainfo/                        AppStream metadata
#   share/doc/kistenlotse/                 copyright, changelog
# The program finds its data relative to itself (model/ordner.h), so any prefix works.

set(KL_KENNUNG de.quellmark.Kistenlotse)
set(_linux ${PROJECT_SOURCE_DIR}/resources/linux)

install(TARGETS kistenlotse kistenlotse-plan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB _vorlagen CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/templates/*.gif)
install(FILES ${_vorlagen} ${KL_PROGRAM_DIR}/kistenlotse-hilfe.html DESTINATION ${CMAKE_INSTALL_DATADIR}/kistenlotse)

install(FILES ${_linux}/${KL_KENNUNG}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/artwork/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${_linux}/${KL_KENNUNG}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${KL_KENNUNG}.xml)
configure_file(${_linux}/${KL_KENNUNG}.metainfo.xml ${CMAKE_BINARY_DIR}/linux/${KL_KENNUNG}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/${KL_KENNUNG}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants the changelog compressed, without a time stamp in the gzip header.
configure_file(${_linux}/changelog.in ${CMAKE_BINARY_DIR}/linux/changelog @ONLY)
find_program(KL_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/linux/changelog.gz
  COMMAND ${KL_GZIP} -9nkf ${CMAKE_BINARY_DIR}/linux/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/linux/changelog
  VERBATIM)
add_custom_target(kl_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/linux/changelog.gz)
install(FILES ${_linux}/copyright ${CMAKE_BINARY_DIR}/linux/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kistenlotse)

# The Debian package: kistenlotse_<version>_<arch>.deb, installed below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kistenlotse)
set(CPACK_PACKAGE_VENDOR "Quellmark AG")
set(CPACK_PACKAGE_CONTACT "Quellmark AG <kistenlotse@quellmark.de>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the linked libraries: opening links and the desktop calendar, the fonts the windows
# and printouts are laid out for, and German texts in Qt's own dialogs.
# libcups2 is loaded at the first print job, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcups2, xdg-utils, fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Umzugsplaner mit einem Kalender aller Aufgaben
Der Kistenlotse plant einen Umzug: aus wenigen Angaben (Bundesländer,
Renovierung, Spedition, Kinder, Zeitraum) entsteht ein Kalender mit allen
Aufgaben rund um den Umzug, vom Urlaubsantrag über das Packen bis zur
Ummeldung. Aufgaben lassen sich ändern, verschieben und ergänzen; Pläne
werden als Dateien gespeichert, Kalender, Aufgabenblätter, Postkarten und
Übergabeprotokolle gedruckt.")
include(CPack)
