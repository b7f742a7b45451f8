# Runs varrow-capture as a program on markup from standard input and checks that the bytes pass
# exactly: the CR LF line ends and the Ctrl-Z of the markup reach the source page unchanged, and
# the lists reach standard output with LF line ends.
# Usage: cmake -DPROGRAM=exe -DWORK_DIR=dir -P CaptureCommandStreams.cmake [EMULATOR ARGS...]

# What follows the script's own path is the emulator that runs PROGRAM, if any.
set(emulator)
math(EXPR last "${CMAKE_ARGC} - 1")
set(afterScript -1)
foreach(i RANGE ${last})
    if(afterScript GREATER_EQUAL 0 AND i GREATER afterScript)
        list(APPEND emulator "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "-P")
        math(EXPR afterScript "${i} + 1")
    endif()
endforeach()

string(ASCII 26 ctrlZ)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/page.body "<img src=\"a.gif\">\r\n${ctrlZ}<a href=\"b.jpg\">x</a>\r\n")

execute_process(
    COMMAND ${emulator} ${PROGRAM} --url http://h/ --out . --lists
    WORKING_DIRECTORY ${WORK_DIR}
    INPUT_FILE ${WORK_DIR}/page.body
    OUTPUT_FILE ${WORK_DIR}/lists.tsv
    RESULT_VARIABLE exitCode)
if(NOT exitCode EQUAL 0)
    message(FATAL_ERROR "varrow-capture exited with ${exitCode}")
endif()

# Compares in hexadecimal: a plain read would drop the CR of every CR LF.
function(expectFile name expected)
    file(READ ${WORK_DIR}/${name} actual HEX)
    string(HEX "${expected}" expected)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${name} differs.\nExpected: ${expected}\nActual:   ${actual}")
    endif()
endfunction()

expectFile(lists.tsv "image\thttp://h/a.gif\ta.gif\nlink\thttp://h/b.jpg\tb.jpg\n")
expectFile(source.htm "&lt;img src=\"<a href='http://h/a.gif'>a.gif</a>\"><BR><BR>${ctrlZ}&lt;a \
href=\"<a href='http://h/b.jpg'>b.jpg</a>\">x&lt;/a><BR><BR>\r\n")
