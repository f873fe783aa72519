# Runs the window program with an argument it does not know: it must exit with status 2 and
# say so in one line on standard error, whether or not a display can be opened.
execute_process(COMMAND ${PROGRAM} --bogus RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err TIMEOUT 60)
if(NOT status EQUAL 2)
    message(FATAL_ERROR "exit status ${status}, expected 2; stderr: ${err}")
endif()
if(NOT err STREQUAL "mapsheet: unknown argument '--bogus'; see mapsheet --help\n")
    message(FATAL_ERROR "expected the one usage line, got: ${err}")
endif()
if(NOT out STREQUAL "")
    message(FATAL_ERROR "nothing belongs on standard output, got: ${out}")
endif()
