# Runs the window program (offscreen, taking a screenshot) with a font configuration that
# offers only the fonts in FONT_DIR, or the machine's own configuration when FONT_DIR is
# empty, and checks its standard error: WARN=ON wants the one line naming the Debian font
# package, and the first character without a glyph to be at least U+${FIRST_AT_LEAST};
# WARN=OFF wants no such line.
set(work ${CMAKE_CURRENT_BINARY_DIR}/missing_glyphs_${NAME})
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/empty)
if(DEFINED FONT_DIR)
    if(FONT_DIR STREQUAL "")
        set(FONT_DIR ${work}/empty)
    endif()
    file(WRITE ${work}/fonts.conf
         "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
         "<fontconfig><dir>${FONT_DIR}</dir><cachedir>${work}/cache</cachedir></fontconfig>\n")
    set(ENV{FONTCONFIG_FILE} ${work}/fonts.conf)
endif()
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PROGRAM} --screenshot ${work}/window.png RESULT_VARIABLE status
                ERROR_VARIABLE err TIMEOUT 60)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}; stderr: ${err}")
endif()
string(REGEX MATCHALL "no installed font draws" warnings "${err}")
list(LENGTH warnings count)
if(WARN)
    if(NOT count EQUAL 1 OR NOT err MATCHES "\\(U\\+([0-9A-F]+) among them\\).*fonts-wqy-microhei")
        message(FATAL_ERROR "expected one line naming the font package, got: ${err}")
    endif()
    if(CMAKE_MATCH_1 STRLESS FIRST_AT_LEAST)
        message(FATAL_ERROR "first character without a glyph U+${CMAKE_MATCH_1}, expected at "
                            "least U+${FIRST_AT_LEAST}: ${err}")
    endif()
elseif(NOT count EQUAL 0)
    message(FATAL_ERROR "expected no font warning, got: ${err}")
endif()
