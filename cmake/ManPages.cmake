# Manual pages generated at build time from the programs' own --help, so that
# they never disagree with the program. help2man (Debian help2man) lays out the
# help text; the page is dated the release date and gzipped without a time
# stamp, so the same sources give the same bytes.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
set(RAVO_MAN_DIR ${PROJECT_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${RAVO_MAN_DIR})

# Generates PAGE.1.gz from the help of TARGET, or of its command
# COMMAND when COMMAND is not empty; SUMMARY is the line of the NAME section.
# SEE_ALSO lists the pages named at the end.
function(ravo_help2man target command summary see_also)
    if(command)
        set(page ${target}-${command})
        set(help_option "${command} --help")
    else()
        set(page ${target})
        set(help_option "--help")
    endif()
    set(include_file ${RAVO_MAN_DIR}/${page}.h2m)
    list(TRANSFORM see_also APPEND " (1)")
    list(JOIN see_also ",\n.BR " see_also_text)
    file(CONFIGURE OUTPUT ${include_file}
         CONTENT "[SEE ALSO]\n.BR ${see_also_text}\n" @ONLY)
    add_custom_command(
        OUTPUT ${RAVO_MAN_DIR}/${page}.1.gz
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${RAVO_RELEASE_EPOCH}
                ${HELP2MAN} --no-info --section=1 --name=${summary}
                "--version-string=${page} (Ravo) ${PROJECT_VERSION}" --help-option=${help_option}
                --include=${include_file} --output=${RAVO_MAN_DIR}/${page}.1
                $<TARGET_FILE:${target}>
        COMMAND ${GZIP} -9nf ${RAVO_MAN_DIR}/${page}.1
        DEPENDS ${target} ${include_file}
        COMMENT "Generating the manual page ${page}.1"
        VERBATIM)
    set_property(DIRECTORY APPEND PROPERTY RAVO_MAN_PAGES ${RAVO_MAN_DIR}/${page}.1.gz)
endfunction()

# Gzips a page written by hand, SOURCE (e.g. packaging/ravo.1).
function(ravo_static_manpage source)
    get_filename_component(page ${source} NAME)
    add_custom_command(
        OUTPUT ${RAVO_MAN_DIR}/${page}.gz
        COMMAND ${GZIP} -9nc ${source} > ${RAVO_MAN_DIR}/${page}.gz
        DEPENDS ${source}
        COMMENT "Compressing the manual page ${page}")
    set_property(DIRECTORY APPEND PROPERTY RAVO_MAN_PAGES ${RAVO_MAN_DIR}/${page}.gz)
endfunction()

# Builds the pages added in this folder with every build, as the target NAME,
# and installs them in section 1.
function(ravo_install_manpages name)
    get_property(pages DIRECTORY PROPERTY RAVO_MAN_PAGES)
    add_custom_target(${name} ALL DEPENDS ${pages})
    install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
