# Run at every build (cmake -P): lists the files under data/ and fingerprints
# their contents, rewriting the outputs only when something changed so that
# the resource step reruns exactly when the knowledge base changed.
#   -DSOURCE_DIR=<project root> -DLIST_FILE=<out> -DFINGERPRINT_FILE=<out>

file(GLOB_RECURSE data_files LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/data/*")
# The program keeps the user's preferences (and their backup and kept-aside copies)
# in the data directory it runs from; they are the user's, not the knowledge base.
list(FILTER data_files EXCLUDE REGEX "^data/user_preferences\\.json")
list(SORT data_files)

set(list_content "")
set(fingerprint_content "")
foreach(file IN LISTS data_files)
    string(APPEND list_content "${file}\n")
    file(MD5 "${SOURCE_DIR}/${file}" digest)
    string(APPEND fingerprint_content "${digest} ${file}\n")
endforeach()

function(write_if_changed path content)
    if(EXISTS "${path}")
        file(READ "${path}" old)
        if(old STREQUAL content)
            return()
        endif()
    endif()
    file(WRITE "${path}" "${content}")
endfunction()

write_if_changed("${LIST_FILE}" "${list_content}")
write_if_changed("${FINGERPRINT_FILE}" "${fingerprint_content}")
