# Writes the version header from its template (run as a script at every build, by the
# zelvane_version target). configure_file leaves the header untouched when its text is the
# same, so only a new commit rebuilds what includes it.
#   -DSOURCE_DIR=… -DVERSION=… -DTEMPLATE=… -DOUTPUT=…
set(ZELVANE_GIT_DESCRIPTION "")
find_package(Git QUIET)
if(Git_FOUND)
    execute_process(
        COMMAND ${GIT_EXECUTABLE} describe --always --dirty
        WORKING_DIRECTORY ${SOURCE_DIR}
        OUTPUT_VARIABLE ZELVANE_GIT_DESCRIPTION
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET
        RESULT_VARIABLE git_result)
    if(NOT git_result EQUAL 0)
        set(ZELVANE_GIT_DESCRIPTION "")
    endif()
endif()
set(PROJECT_VERSION ${VERSION})
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
