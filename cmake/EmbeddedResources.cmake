# The knowledge base under data/ is compiled into the program. rcweave turns the
# sorted file list into EmbeddedResources.h/.rc/_Mapping.h; on Windows the
# resource compiler embeds the script, elsewhere rcembed turns it into an
# assembler file of .incbin directives.

set(QUORVANTA_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
file(MAKE_DIRECTORY "${QUORVANTA_GENERATED_DIR}")

set(_gen "${QUORVANTA_GENERATED_DIR}")
set(QUORVANTA_DATA_LIST "${_gen}/data_files.txt")
set(QUORVANTA_DATA_FINGERPRINT "${_gen}/data_fingerprint.txt")

add_custom_target(quorvanta_data_files
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DLIST_FILE=${QUORVANTA_DATA_LIST}
            -DFINGERPRINT_FILE=${QUORVANTA_DATA_FINGERPRINT}
            -P ${CMAKE_SOURCE_DIR}/cmake/CollectDataFiles.cmake
    BYPRODUCTS ${QUORVANTA_DATA_LIST} ${QUORVANTA_DATA_FINGERPRINT}
    COMMENT "Collecting knowledge-base files"
    VERBATIM)

set(QUORVANTA_EMBEDDED_HEADERS
    "${_gen}/EmbeddedResources.h"
    "${_gen}/EmbeddedResources_Mapping.h")
set(QUORVANTA_EMBEDDED_SCRIPT "${_gen}/EmbeddedResources.rc")

# Relative "data/..." paths: the mapping keys start at "data/" whatever the checkout path is.
add_custom_command(
    OUTPUT ${QUORVANTA_EMBEDDED_HEADERS} ${QUORVANTA_EMBEDDED_SCRIPT}
    COMMAND ${CMAKE_COMMAND} -DRCWEAVE=$<TARGET_FILE:rcweave> -DGEN_DIR=${_gen}
            -DLIST_FILE=${QUORVANTA_DATA_LIST} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -P ${CMAKE_SOURCE_DIR}/cmake/RunRcweave.cmake
    DEPENDS rcweave ${QUORVANTA_DATA_LIST} ${QUORVANTA_DATA_FINGERPRINT}
            ${CMAKE_SOURCE_DIR}/cmake/RunRcweave.cmake
    COMMENT "Generating embedded resource files with rcweave"
    VERBATIM)

if(NOT WIN32)
    enable_language(ASM)
    set(QUORVANTA_EMBEDDED_ASM "${_gen}/EmbeddedResourceData.S")
    add_custom_command(
        OUTPUT ${QUORVANTA_EMBEDDED_ASM}
        COMMAND $<TARGET_FILE:rcembed> ${QUORVANTA_EMBEDDED_SCRIPT} ${CMAKE_SOURCE_DIR}
                ${QUORVANTA_EMBEDDED_ASM}
        DEPENDS rcembed ${QUORVANTA_EMBEDDED_SCRIPT} ${QUORVANTA_DATA_FINGERPRINT}
        COMMENT "Assembling embedded resources"
        VERBATIM)
endif()

# Custom command outputs only get build rules through a target of this directory.
set(_embedded_outputs ${QUORVANTA_EMBEDDED_HEADERS} ${QUORVANTA_EMBEDDED_SCRIPT})
if(NOT WIN32)
    list(APPEND _embedded_outputs ${QUORVANTA_EMBEDDED_ASM})
endif()
add_custom_target(quorvanta_embedded_files DEPENDS ${_embedded_outputs})
add_dependencies(quorvanta_embedded_files quorvanta_data_files)

# Adds the generated files to the library that reads them.
function(quorvanta_add_embedded_data target)
    add_dependencies(${target} quorvanta_embedded_files)
    target_sources(${target} PRIVATE ${QUORVANTA_EMBEDDED_HEADERS})
    target_include_directories(${target} PRIVATE ${QUORVANTA_GENERATED_DIR})
    if(NOT WIN32)
        target_sources(${target} PRIVATE ${QUORVANTA_EMBEDDED_ASM})
    endif()
endfunction()

# Windows resources only link when the script is part of the executable itself.
function(quorvanta_embed_resources target)
    if(WIN32)
        target_sources(${target} PRIVATE ${QUORVANTA_EMBEDDED_SCRIPT})
        target_include_directories(${target} PRIVATE ${QUORVANTA_GENERATED_DIR} ${CMAKE_SOURCE_DIR})
    endif()
endfunction()
