# Where `cmake --install` puts the program on Linux; the Debian package (debian/, built with
# dpkg-buildpackage) installs the same below /usr and adds copyright and changelog.
#   bin/                                   kistenlotse, kistenlotse-plan
#   share/kistenlotse/                     print templates (*.gif), kistenlotse-hilfe.html
#   share/applications/                    the desktop entry
#   share/icons/hicolor/*/apps/            the icon, SVG and PNG 16..256 (drawn by tools/artwork)
#   share/mime/packages/                   the file type of plan files (*.kvr)
#   share/metainfo/                        AppStream metadata
#   share/man/man1/, share/man/de/man1/    the manual pages, in German (the program's language)
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
# AppStream wants its component id in lower case; the desktop entry and icon keep their names.
string(TOLOWER ${KL_KENNUNG} _komponente)
configure_file(${_linux}/${_komponente}.metainfo.xml ${CMAKE_BINARY_DIR}/linux/${_komponente}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/${_komponente}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual pages are German; the program has no other language, so they are its default
# pages as well.
foreach(_seite kistenlotse.1 kistenlotse-plan.1)
  install(FILES ${_linux}/${_seite} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_linux}/${_seite} DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1)
endforeach()
