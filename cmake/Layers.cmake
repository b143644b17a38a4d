# The layers of src/, lowest first. Each folder is one library that may include only from the
# folders it names here (and, through them, from theirs); a build step reads every #include of
# the folder's files, so a wrong include fails the build instead of waiting for a review.
set(ZELVANE_LAYER_text "")
set(ZELVANE_LAYER_base text)
set(ZELVANE_LAYER_model base)
set(ZELVANE_LAYER_motion model)
set(ZELVANE_LAYER_chart motion)
set(ZELVANE_LAYER_dwi chart)
set(ZELVANE_LAYER_stepmania dwi)
set(ZELVANE_LAYER_media text)
set(ZELVANE_LAYER_render chart)
set(ZELVANE_LAYER_avi render media)
set(ZELVANE_LAYER_beat media)
set(ZELVANE_LAYER_playback media base)
set(ZELVANE_LAYER_render_gl render qtcommon)
set(ZELVANE_LAYER_qtcommon text)
set(ZELVANE_LAYER_score render media qtcommon)
set(ZELVANE_LAYER_app stepmania avi beat playback render_gl score)
set(ZELVANE_LAYER_cli stepmania avi beat)
set(ZELVANE_LAYERS text base model motion chart dwi stepmania media beat render avi playback render_gl qtcommon
                   score app cli)

# The folders `layer` may include from: itself and everything below it.
function(zelvane_layer_closure layer out)
    set(result ${layer})
    set(pending ${ZELVANE_LAYER_${layer}})
    while(pending)
        list(POP_FRONT pending next)
        if(NOT next IN_LIST result)
            list(APPEND result ${next})
            list(APPEND pending ${ZELVANE_LAYER_${next}})
        endif()
    endwhile()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# Makes `target` (built from the current folder, layer `layer`) depend on a check of the
# folder's includes.
function(zelvane_check_layer target layer)
    zelvane_layer_closure(${layer} allowed)
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp)
    string(REPLACE ";" "," allowed_text "${allowed}")
    string(REPLACE ";" "," layers_text "${ZELVANE_LAYERS}")
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-checked)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${CMAKE_CURRENT_SOURCE_DIR} -DLAYER=${layer}
                -DALLOWED=${allowed_text} -DLAYERS=${layers_text} -DSTAMP=${stamp}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
                ${PROJECT_SOURCE_DIR}/cmake/Layers.cmake
        COMMENT "Checking the includes of src/${layer}"
        VERBATIM)
    add_custom_target(${target}_layer_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer_check)
endfunction()
