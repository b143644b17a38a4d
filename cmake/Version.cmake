# The version the programs report: the project's own, and where the sources are a git
# checkout, the commit they were built from. The commit is asked again at every build, so a
# build folder kept across pulls and commits never reports the commit it was first
# configured from; targets that include ZelvaneVersion.h depend on zelvane_version.
set(ZELVANE_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
set(zelvane_version_header ${ZELVANE_GENERATED_INCLUDE_DIR}/ZelvaneVersion.h)
set(zelvane_version_command
    ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
    -DTEMPLATE=${CMAKE_CURRENT_LIST_DIR}/ZelvaneVersion.h.in -DOUTPUT=${zelvane_version_header}
    -P ${CMAKE_CURRENT_LIST_DIR}/WriteVersion.cmake)
# Written now as well, so the header is there for anything that reads it before a build.
execute_process(COMMAND ${zelvane_version_command})
add_custom_target(zelvane_version
    COMMAND ${zelvane_version_command}
    BYPRODUCTS ${zelvane_version_header}
    COMMENT "Naming the commit the programs are built from"
    VERBATIM)
