# The version the programs report: the project's own, and where the sources are a git
# checkout, the commit they were configured from (a later commit shows after the build is
# configured again, as every fresh build and CI's are).
set(ZELVANE_GIT_DESCRIPTION "")
find_package(Git QUIET)
if(Git_FOUND)
    execute_process(
        COMMAND ${GIT_EXECUTABLE} describe --always --dirty
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        OUTPUT_VARIABLE ZELVANE_GIT_DESCRIPTION
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET
        RESULT_VARIABLE git_result)
    if(NOT git_result EQUAL 0)
        set(ZELVANE_GIT_DESCRIPTION "")
    endif()
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/ZelvaneVersion.h.in
               ${CMAKE_BINARY_DIR}/generated/ZelvaneVersion.h @ONLY)
set(ZELVANE_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
