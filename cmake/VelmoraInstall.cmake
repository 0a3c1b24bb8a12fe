# Installing like any Debian program: the executables in bin/, the shipped
# data in share/velmora/ (found from bin/ as ../share/velmora), manual pages,
# the desktop entry with its icon, the bash completion and the user guide;
# and a .deb of it all whose dependencies dpkg-shlibdeps works out.
include(GNUInstallDirs)
# Debian's place, named after the package rather than the project.
set(VELMORA_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)

install(TARGETS velmora velmora-rls RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(VELMORA_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/profiles ${PROJECT_SOURCE_DIR}/data/languages
                  ${PROJECT_SOURCE_DIR}/data/decopool
        DESTINATION ${VELMORA_DATA_DESTINATION})
install(FILES ${PROJECT_SOURCE_DIR}/data/metadata.def DESTINATION ${VELMORA_DATA_DESTINATION})

# Manual pages, compressed as Debian ships them (-n: no time stamp, so that
# two builds give the same package).
find_program(VELMORA_GZIP gzip REQUIRED)
set(man_pages)
foreach(page velmora.1 velmora-rls.1)
  set(compressed ${CMAKE_BINARY_DIR}/docs/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/docs/man
    COMMAND ${VELMORA_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/docs/man/${page} > ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND man_pages ${compressed})
endforeach()
add_custom_target(velmora_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${VELMORA_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME velmora)

# The guide: the Markdown pages always, the HTML pages when they were made.
install(FILES ${PROJECT_SOURCE_DIR}/docs/index.md ${PROJECT_SOURCE_DIR}/docs/guide.md
              ${PROJECT_SOURCE_DIR}/docs/riloscript.md
        DESTINATION ${VELMORA_DOC_DESTINATION})
install(DIRECTORY ${VELMORA_DOCS_OUT}/reference DESTINATION ${VELMORA_DOC_DESTINATION} FILES_MATCHING PATTERN "*.md")
if(VELMORA_DOCS_HTML)
  install(DIRECTORY ${VELMORA_DOCS_OUT}/html DESTINATION ${VELMORA_DOC_DESTINATION})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Ostwerk")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo batch tool and web gallery generator")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora turns a tree of photos into processed copies (resized, converted, stamped,\nframed, renamed, metadata kept), thumbnails and a static web gallery built from\nHTML templates programmable in its own script language, RiloScript.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# unixODBC loads the drivers that dbread opens database files with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libsqliteodbc, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "odbc-mdbtools, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
