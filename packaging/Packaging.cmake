# How Vantor installs (cmake --install) and packs into a .deb (cpack, scripts/package.sh).
#
# The layout is fixed relative to the executable: the program finds its shipped defaults in
# ../share/vantor beside its own folder, so bin/ and share/ are not taken from GNUInstallDirs,
# which a caller could move apart.

# The reverse-DNS name of the menu entry and the AppStream metadata; the program names its windows'
# entry with it.
set(VANTOR_DESKTOP_ID org.vantor.Vantor)
target_compile_definitions(vantor PRIVATE VANTOR_DESKTOP_ID="${VANTOR_DESKTOP_ID}")

# The top entry of the changelog is the release: its date goes into the AppStream release and the
# manual pages, its signer is the package's maintainer. A release is a new project() version and a
# new changelog entry; configuring says when the two disagree.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog changelog_heads REGEX "^vantor \\(")
list(GET changelog_heads 0 changelog_head)
string(REGEX REPLACE "^vantor \\(([^)]+)\\).*" "\\1" changelog_version "${changelog_head}")
if(NOT changelog_version STREQUAL PROJECT_VERSION)
    message(WARNING "packaging/changelog's latest entry is ${changelog_version}, the project is "
                    "${PROJECT_VERSION}: add an entry for this release")
endif()
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog changelog_signers REGEX "^ -- ")
list(GET changelog_signers 0 changelog_signer)
string(REGEX MATCH "^ -- (.+>)  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+)"
       matched "${changelog_signer}")
set(VANTOR_MAINTAINER "${CMAKE_MATCH_1}")
set(day "${CMAKE_MATCH_2}")
set(year "${CMAKE_MATCH_4}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_3}" month)
if(NOT matched OR month EQUAL -1)
    message(FATAL_ERROR "packaging/changelog: cannot read the latest entry's signature line")
endif()
math(EXPR month "${month} + 1")
foreach(part month day)
    if(${part} MATCHES "^[0-9]$")
        set(${part} "0${${part}}")
    endif()
endforeach()
set(VANTOR_RELEASE_DATE "${year}-${month}-${day}")

# The icon theme's pictures are drawn by the program's own icon code.
add_executable(vantor-render-icons ${CMAKE_SOURCE_DIR}/tools/render-icons/main.cpp)
target_link_libraries(vantor-render-icons PRIVATE vantor_lib)
set(icon_outputs)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND icon_outputs ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/vantor.png)
endforeach()
add_custom_command(OUTPUT ${icon_outputs}
    COMMAND vantor-render-icons ${CMAKE_BINARY_DIR}/icons
    DEPENDS vantor-render-icons
    COMMENT "Drawing the hicolor theme icons")

# Manual pages and the changelog, compressed as Debian wants them (no name or time stamp inside,
# so that two builds give the same bytes).
set(doc_outputs)
foreach(page vantor.1 vantor-demo-server.1)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/${page}.in ${CMAKE_BINARY_DIR}/packaging/${page}
                   @ONLY)
    list(APPEND doc_outputs ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
endforeach()
list(APPEND doc_outputs ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog
               COPYONLY)
foreach(out ${doc_outputs})
    string(REGEX REPLACE "\\.gz$" "" in ${out})
    add_custom_command(OUTPUT ${out} COMMAND gzip -9 -n -c ${in} > ${out} DEPENDS ${in})
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/${VANTOR_DESKTOP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${VANTOR_DESKTOP_ID}.metainfo.xml @ONLY)
add_custom_target(vantor_install_files ALL DEPENDS ${icon_outputs} ${doc_outputs})

# cmake --install and cpack take what the build made; they never build (a package made during a
# test run must not start a build of everything).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS vantor vantor-demo-server RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/defaults/ DESTINATION share/vantor
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        PATTERN .keep EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/lang/ DESTINATION share/vantor/Lang OPTIONAL
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${VANTOR_DESKTOP_ID}.desktop
        DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${VANTOR_DESKTOP_ID}.metainfo.xml
        DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)
install(FILES ${CMAKE_BINARY_DIR}/packaging/vantor.1.gz
              ${CMAKE_BINARY_DIR}/packaging/vantor-demo-server.1.gz
        DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides
        RENAME vantor)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/vantor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VENDOR "The Vantor developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_VANTOR_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/strip-staged.cmake)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console for administering Call of Duty game servers")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantor connects to dedicated servers of Call of Duty, Call of Duty: United\n"
    "Offensive, Call of Duty 2 and Call of Duty 4 over the games' UDP remote\n"
    "console (rcon) protocol. The administrator works in the server's console,\n"
    "sees, messages, kicks and bans players, changes settings, maps, the map\n"
    "rotation and gametypes, and automates routine work.\n"
    "\n"
    "The package also contains vantor-demo-server, a simulated game server on\n"
    "127.0.0.1 to try Vantor with.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; Qt's platform plugins (the X11 one among them) and
# libcurl (opened when FTP is first used) are loaded at run time, so no library link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libcurl4")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
