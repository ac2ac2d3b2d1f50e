# Runs a start-up harness with an empty home, runtime and working folder, headless, and fails
# unless it exits by itself, successfully, and leaves all three empty.
#   cmake -DHARNESS=<program> -DSCRATCH=<folder> -P no_files_test.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/home ${SCRATCH}/runtime ${SCRATCH}/work)
file(CHMOD ${SCRATCH}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

execute_process(
    COMMAND ${CMAKE_COMMAND} -E env HOME=${SCRATCH}/home XDG_CONFIG_HOME=${SCRATCH}/home/.config
            XDG_CACHE_HOME=${SCRATCH}/home/.cache XDG_DATA_HOME=${SCRATCH}/home/.local/share
            XDG_RUNTIME_DIR=${SCRATCH}/runtime QT_QPA_PLATFORM=offscreen ${HARNESS}
    WORKING_DIRECTORY ${SCRATCH}/work
    RESULT_VARIABLE result
    TIMEOUT 120) # a guard against a hang, not a measure: a busy machine starts slowly
if(NOT result STREQUAL "0")
    message(FATAL_ERROR "${HARNESS} did not end by itself after its first frame: ${result}")
endif()

file(GLOB_RECURSE written LIST_DIRECTORIES true ${SCRATCH}/home/* ${SCRATCH}/runtime/*
     ${SCRATCH}/work/*)
if(written)
    message(FATAL_ERROR "${HARNESS} wrote ${written}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
