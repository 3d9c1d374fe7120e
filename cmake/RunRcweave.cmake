# Runs rcweave with its console output kept in a log file (one line per data
# file would flood the build output); the log is shown when it fails.
#   -DRCWEAVE=<tool> -DGEN_DIR=<dir> -DLIST_FILE=<list> -DSOURCE_DIR=<project root>
execute_process(
    COMMAND "${RCWEAVE}" "${GEN_DIR}/EmbeddedResources.h" "${GEN_DIR}/EmbeddedResources.rc"
            "@${LIST_FILE}"
    WORKING_DIRECTORY "${SOURCE_DIR}"
    OUTPUT_FILE "${GEN_DIR}/rcweave.log"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(READ "${GEN_DIR}/rcweave.log" log)
    message(FATAL_ERROR "rcweave failed (${result}):\n${log}")
endif()
