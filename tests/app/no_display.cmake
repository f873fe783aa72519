# Runs the window program where no display can be opened: it must exit with status 1 and say
# so in exactly one line on standard error that points to mapsheet-cli.
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                TIMEOUT 60)
if(NOT status EQUAL 1)
    message(FATAL_ERROR "exit status ${status}, expected 1; stderr: ${err}")
endif()
string(REGEX MATCHALL "\n" newlines "${err}")
list(LENGTH newlines lines)
if(NOT lines EQUAL 1 OR NOT err MATCHES "^mapsheet: .*display.*mapsheet-cli")
    message(FATAL_ERROR "expected one line naming the display and mapsheet-cli, got: ${err}")
endif()
if(NOT out STREQUAL "")
    message(FATAL_ERROR "nothing belongs on standard output, got: ${out}")
endif()
