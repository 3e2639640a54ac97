# Desktop integration and the Debian package. The program itself and its help
# file install from their own folders (app/, help/).

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging_dir}/ravo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/ravo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The file types that the desktop entry opens; shared-mime-info names its
# package files after the package that installs them.
install(FILES ${packaging_dir}/ravo-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ravo.xml)
# An install straight onto this machine registers the types and the entry at
# once. A package (DESTDIR set, or CPack's staging tree) must not carry the
# generated caches: the package manager's triggers rebuild them.
install(CODE "set(RAVO_INSTALL_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "" AND NOT CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/")
        find_program(RAVO_UPDATE_MIME update-mime-database)
        find_program(RAVO_UPDATE_DESKTOP update-desktop-database)
        set(data "${CMAKE_INSTALL_PREFIX}/${RAVO_INSTALL_DATADIR}")
        if(RAVO_UPDATE_MIME)
            execute_process(COMMAND ${RAVO_UPDATE_MIME} "${data}/mime")
        endif()
        if(RAVO_UPDATE_DESKTOP)
            execute_process(COMMAND ${RAVO_UPDATE_DESKTOP} -q "${data}/applications")
        endif()
    endif()
]])

# PNG icons beside the SVG, for the desktops and software centres that want
# them, rendered from the SVG at build time with rsvg-convert (librsvg2-bin).
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_pngs)
foreach(size 48 64 128 256)
    set(png ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}/ravo.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}
        COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${packaging_dir}/ravo.svg
        DEPENDS ${packaging_dir}/ravo.svg
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(ravo_icons ALL DEPENDS ${icon_pngs})

# The desktop program's manual page, written by hand.
if(RAVO_BUILD_MAN)
    include(${PROJECT_SOURCE_DIR}/cmake/ManPages.cmake)
    ravo_static_manpage(${packaging_dir}/ravo.1)
    ravo_install_manpages(ravo_man)
endif()

# The release named in the metainfo and the changelog is the project's VERSION
# and RAVO_RELEASE_DATE.
configure_file(${packaging_dir}/org.ravo.Ravo.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/org.ravo.Ravo.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/org.ravo.Ravo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian keeps each package's licence terms in /usr/share/doc/PACKAGE/copyright,
# and the changelog of a package made upstream, gzipped, as changelog.gz there.
install(FILES ${packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ravo)
find_program(GZIP gzip REQUIRED)
configure_file(${packaging_dir}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
    COMMAND ${GZIP} -9nkf ${PROJECT_BINARY_DIR}/packaging/changelog
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
    COMMENT "Compressing the changelog"
    VERBATIM)
add_custom_target(ravo_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ravo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ravo)
set(CPACK_PACKAGE_VENDOR "Ravo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "road elevations from vertical curves and superelevation")
# Lines of the long description, as Debian shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Ravo calculates the finished elevation of a road at a station and an"
    "offset from a list of parabolic vertical curves and a list of"
    "superelevation segments. Profiles are typed in or loaded from plain-text"
    "input files; the program writes an input data echo and an elevation log"
    "into a text report.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RAVO_MAINTAINER}")
# Folders and files as Debian wants them whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# dpkg-shlibdeps finds the libraries the program links (Qt, chmlib, ...).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# View > Output File opens the report in the desktop's editor through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
include(CPack)

# The installed tree holds every file that the desktop needs.
if(RAVO_BUILD_TESTS AND RAVO_BUILD_UI)
    add_test(NAME ravo_install_tree
             COMMAND ${packaging_dir}/check_install.sh ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR}
                     ${PROJECT_BINARY_DIR}/install-check ${CMAKE_INSTALL_BINDIR}
                     ${CMAKE_INSTALL_DATADIR})
    set_tests_properties(ravo_install_tree PROPERTIES TIMEOUT 120)
endif()
