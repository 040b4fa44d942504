# Installing and the Debian package (cpack -G DEB from the build folder).
# Included from the top level after src/ and tools/, whose targets it names.

include(GNUInstallDirs)

# Where the installed program keeps its files when no --carpeta is given and
# its own folder holds no zelvora.cfg; the package creates it.
set(ZELVORA_CARPETA_SITIO "/var/lib/zelvora" CACHE PATH
    "Program folder of an installed zelvora run without --carpeta")
target_compile_definitions(zelvora PRIVATE ZELVORA_CARPETA_SITIO="${ZELVORA_CARPETA_SITIO}")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS zelvora zelvora-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The built-in pictures, as samples a site may copy into its program folder
# to replace them.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ico/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zelvora/ico
    FILES_MATCHING PATTERN "*.ico")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/img/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zelvora/img
    FILES_MATCHING PATTERN "*.jpg")

install(FILES ${CMAKE_CURRENT_LIST_DIR}/paquete/zelvora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(lado 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/app/zelvora-${lado}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps RENAME zelvora.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/paquete/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelvora)

set(CPACK_PACKAGE_NAME zelvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zelvora team")
set(CPACK_PACKAGE_CONTACT "Zelvora team <equipo@zelvora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "visitor control for the gatehouse of a residential complex")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zelvora team <equipo@zelvora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Below the summary line; CPack indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Guards register visitors' entries and exits and keep the census of the
dwellings; administrators manage users, permissions and each terminal's
settings. Several terminals share one database (SQLite or PostgreSQL).

The site folder ${ZELVORA_CARPETA_SITIO} belongs to the group zelvora.")
# The libraries linked come from dpkg-shlibdeps; a plugin Qt loads at run time
# is named by hand (the SQLite driver; the xcb platform plugin ships in
# libqt6gui6, already among the linked ones).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libqt6sql6-psql, qt6-translations-l10n, postgresql-client, sqlite3")
configure_file(${CMAKE_CURRENT_LIST_DIR}/paquete/postinst.in ${PROJECT_BINARY_DIR}/paquete/postinst
    @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/paquete/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
