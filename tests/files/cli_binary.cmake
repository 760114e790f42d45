# Runs the built tonaria-cli: "new" without options must write the default period's document,
# and every bad file must end with status 1 and the message, never with a crash.
execute_process(COMMAND ${CLI} new ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tonaria-cli new exited with ${status}")
endif()
file(READ ${OUT} written HEX)
file(READ ${DATA}/default.tnr golden HEX)
if(NOT written STREQUAL golden)
    message(FATAL_ERROR "tonaria-cli new did not write the default period")
endif()

file(GLOB bad ${DATA}/bad/*.tnr)
foreach(file IN LISTS bad)
    execute_process(COMMAND ${CLI} info ${file} RESULT_VARIABLE status ERROR_VARIABLE err
                    OUTPUT_QUIET)
    string(FIND "${err}" "Unable to open file" found)
    if(NOT status EQUAL 1 OR found EQUAL -1)
        message(FATAL_ERROR "${file}: status ${status}, message: ${err}")
    endif()
endforeach()
