# The desktop program's translations: translations/zelvane_<language>.ts, the Qt Linguist
# sources kept in the repository, made into .qm files by lrelease and embedded under :/i18n.
# Only lrelease is needed, which Debian packages alone in qt6-l10n-tools.
find_program(ZELVANE_LRELEASE NAMES lrelease lrelease-qt6
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}
                   /usr/lib/qt6/bin /usr/lib/qt6/libexec)
if(NOT ZELVANE_LRELEASE)
    message(FATAL_ERROR "lrelease not found: install qt6-l10n-tools")
endif()
file(GLOB ZELVANE_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/zelvane_*.ts)

function(zelvane_add_translations target)
    set(qm_files "")
    foreach(ts IN LISTS ZELVANE_TS_FILES)
        get_filename_component(name ${ts} NAME_WE)
        set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/${name}.qm)
        # Unfinished translations stay out, so a text not yet translated shows in Japanese
        # rather than empty, and the tests see it as missing.
        add_custom_command(
            OUTPUT ${qm}
            COMMAND ${ZELVANE_LRELEASE} -silent -nounfinished ${ts} -qm ${qm}
            DEPENDS ${ts}
            COMMENT "Making ${name}.qm"
            VERBATIM)
        list(APPEND qm_files ${qm})
    endforeach()
    qt_add_resources(${target} "${target}_translations" PREFIX /i18n
                     BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n FILES ${qm_files})
endfunction()
