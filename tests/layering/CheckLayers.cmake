# Fails when an include or a link goes against the dependency order of the source folders.
# Usage: cmake -DSOURCE_DIR=<source tree> -P CheckLayers.cmake
#
# The order, one way: each folder and the folders it may use. A folder uses its own files and
# those of the folders listed after its name, and nothing else; app/ is the composition root,
# which nothing uses. Subfolders (shell/cli, capture/cli, platform/textfile, ...) belong to their
# top folder.
set(VARROW_LAYERS
    "app: windows shell integration capture extract platform"
    "windows: shell integration capture extract platform"
    "shell: integration capture extract platform"
    "integration: platform"
    "capture: extract platform"
    "extract: platform"
    "platform:")

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "CheckLayers: give -DSOURCE_DIR=<source tree>")
endif()

set(folders)
foreach(entry IN LISTS VARROW_LAYERS)
    string(REGEX MATCH "^([a-z]+):(.*)$" parsed "${entry}")
    set(folder ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_2}" uses)
    separate_arguments(uses UNIX_COMMAND "${uses}")
    list(APPEND folders ${folder})
    set(may_use_${folder} ${folder} ${uses})
endforeach()

set(offences 0)
macro(offence text)
    message(NOTICE "${text}")
    math(EXPR offences "${offences} + 1")
endmacro()

# The text of `file` as a list of its lines; characters that CMake lists treat specially are
# replaced, which no include line or link list needs.
function(read_lines file out)
    file(READ ${file} text)
    string(REPLACE "\\" "/" text "${text}")
    string(REPLACE ";" "," text "${text}")
    string(REPLACE "[" "(" text "${text}")
    string(REPLACE "]" ")" text "${text}")
    string(REPLACE "\n" ";" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Every #include "..." line: a path with a folder must start with a folder the file may use.
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
         ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        read_lines(${SOURCE_DIR}/${source} lines)
        set(number 0)
        foreach(line IN LISTS lines)
            math(EXPR number "${number} + 1")
            if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/[^\"]*\"")
                if(NOT CMAKE_MATCH_1 IN_LIST may_use_${folder})
                    offence("${source}:${number}: ${folder}/ may not include ${CMAKE_MATCH_1}/: ${line}")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

# Every target_link_libraries list of the folders' CMakeLists.txt: a target may link only the
# targets of folders it may use. Targets defined elsewhere (Qt, system libraries) do not count.
set(lists)
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/CMakeLists.txt)
    list(APPEND lists ${found})
endforeach()
foreach(list_file IN LISTS lists)
    string(REGEX MATCH "^[^/]+" folder "${list_file}")
    file(READ ${SOURCE_DIR}/${list_file} text)
    string(REGEX MATCHALL "add_(library|executable)\\([ \t\n]*[A-Za-z0-9_.-]+" defined "${text}")
    foreach(definition IN LISTS defined)
        string(REGEX REPLACE "^add_(library|executable)\\([ \t\n]*" "" target "${definition}")
        set(folder_of_${target} ${folder})
    endforeach()
endforeach()
foreach(list_file IN LISTS lists)
    string(REGEX MATCH "^[^/]+" folder "${list_file}")
    file(READ ${SOURCE_DIR}/${list_file} text)
    string(REGEX MATCHALL "target_link_libraries\\([^)]*\\)" calls "${text}")
    foreach(call IN LISTS calls)
        string(REGEX REPLACE "^target_link_libraries\\((.*)\\)$" "\\1" arguments "${call}")
        separate_arguments(arguments UNIX_COMMAND "${arguments}")
        list(POP_FRONT arguments target)
        foreach(linked IN LISTS arguments)
            if(DEFINED folder_of_${linked}
               AND NOT folder_of_${linked} IN_LIST may_use_${folder_of_${target}})
                offence("${list_file}: ${target} (${folder_of_${target}}/) may not link ${linked} (${folder_of_${linked}}/)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(offences GREATER 0)
    message(FATAL_ERROR "${offences} dependencies go against the order of the folders")
endif()
message(STATUS "Every include and link follows the order of the folders")
