# Version information attached to an executable, read back at run time by platform/versioninfo.
#
#   varrow_add_version_info(TARGET <executable>
#                           [PRODUCT_NAME <text>] [COMPANY_NAME <text>] [COMMENTS <text>]
#                           VERSION <major>[.<minor>[.<patch>[.<build>]]])
#
# A text field left out or given as "" stays empty; each must be a single line. Version parts are
# decimal numbers up to 65535; the reader reports the first two. Call it in the directory that
# creates the target.
#
# Windows: the fields become a VERSIONINFO resource (language en-US, code page 1252) that windres
# compiles into the executable. Elsewhere: they are written as "Key=Value" lines (format in
# platform/versioninfo/VersionText.h) into the ELF section ".varrow_version", which objcopy adds
# after every link. A built file's fields can be changed without rebuilding:
#   objcopy --update-section .varrow_version=FILE <executable>

if(WIN32)
    enable_language(RC)
endif()

# The program's own identity. The website is a display name: a bare host name.
set(VARROW_PRODUCT_NAME "Varrow")
set(VARROW_COMPANY_NAME "Varrow Project")
set(VARROW_WEBSITE "www.varrow.example")
set(VARROW_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")

set(VARROW_VERSION_SECTION ".varrow_version")

# Writes the file only when its content changes, so that an unchanged reconfigure relinks nothing.
function(_varrow_write_if_changed path content)
    set(old "")
    if(EXISTS "${path}")
        file(READ "${path}" old)
    endif()
    if(NOT old STREQUAL content)
        file(WRITE "${path}" "${content}")
    endif()
endfunction()

# A string literal of a resource script: backslashes escaped, quotes doubled.
function(_varrow_rc_string out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\"\"" text "${text}")
    set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

function(_varrow_add_version_resource target version product company comments)
    # The fixed part holds four 16-bit numbers; missing parts are 0.
    string(REPLACE "." ";" numbers "${version}")
    list(APPEND numbers 0 0 0)
    list(SUBLIST numbers 0 4 numbers)
    list(JOIN numbers "," fixed)
    _varrow_rc_string(product "${product}")
    _varrow_rc_string(company "${company}")
    _varrow_rc_string(comments "${comments}")
    _varrow_rc_string(version_text "${version}")
    # The script is UTF-8 like CMake's strings; the ANSI reader gets them in the system code page.
    # FILEOS 0x40004 is VOS_NT_WINDOWS32, FILETYPE 1 is VFT_APP.
    set(script "#pragma code_page(65001)
1 VERSIONINFO
FILEVERSION ${fixed}
PRODUCTVERSION ${fixed}
FILEFLAGSMASK 0x3f
FILEFLAGS 0
FILEOS 0x40004
FILETYPE 1
FILESUBTYPE 0
BEGIN
    BLOCK \"StringFileInfo\"
    BEGIN
        BLOCK \"040904E4\"
        BEGIN
            VALUE \"ProductName\", ${product}
            VALUE \"CompanyName\", ${company}
            VALUE \"Comments\", ${comments}
            VALUE \"FileVersion\", ${version_text}
            VALUE \"ProductVersion\", ${version_text}
        END
    END
    BLOCK \"VarFileInfo\"
    BEGIN
        VALUE \"Translation\", 0x409, 1252
    END
END
")
    set(path "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
    _varrow_write_if_changed("${path}" "${script}")
    target_sources(${target} PRIVATE "${path}")
endfunction()

function(_varrow_add_version_section target version product company comments)
    if(NOT CMAKE_OBJCOPY)
        message(FATAL_ERROR "varrow_add_version_info: objcopy was not found (package binutils)")
    endif()
    set(text "ProductName=${product}\nCompanyName=${company}\nComments=${comments}\n")
    string(APPEND text "FileVersion=${version}\n")
    set(path "${CMAKE_CURRENT_BINARY_DIR}/${target}.varrow_version")
    _varrow_write_if_changed("${path}" "${text}")
    # A non-allocated section: it is never mapped into memory and survives strip.
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --add-section ${VARROW_VERSION_SECTION}=${path}
                --set-section-flags ${VARROW_VERSION_SECTION}=noload,readonly
                $<TARGET_FILE:${target}>
        COMMENT "Adding version information to ${target}"
        VERBATIM)
    # New text means a new link, which runs the step above again.
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${path}")
endfunction()

function(varrow_add_version_info)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET;PRODUCT_NAME;COMPANY_NAME;COMMENTS;VERSION"
                          "")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR
                "varrow_add_version_info: unexpected arguments '${arg_UNPARSED_ARGUMENTS}'")
    endif()
    if(NOT TARGET "${arg_TARGET}")
        message(FATAL_ERROR "varrow_add_version_info: '${arg_TARGET}' is not a target")
    endif()
    get_target_property(type ${arg_TARGET} TYPE)
    if(NOT type STREQUAL "EXECUTABLE")
        message(FATAL_ERROR "varrow_add_version_info: '${arg_TARGET}' is not an executable")
    endif()
    if(NOT arg_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
        message(FATAL_ERROR "varrow_add_version_info: VERSION '${arg_VERSION}' of "
                "${arg_TARGET} is not one to four numbers separated by '.'")
    endif()
    string(REPLACE "." ";" parts "${arg_VERSION}")
    foreach(part IN LISTS parts)
        if(part GREATER 65535)
            message(FATAL_ERROR "varrow_add_version_info: VERSION '${arg_VERSION}' of "
                    "${arg_TARGET} has a part above 65535")
        endif()
    endforeach()
    foreach(field IN ITEMS PRODUCT_NAME COMPANY_NAME COMMENTS)
        if(arg_${field} MATCHES "[\r\n]")
            message(FATAL_ERROR "varrow_add_version_info: ${field} of ${arg_TARGET} must be a "
                    "single line")
        endif()
    endforeach()

    if(WIN32)
        _varrow_add_version_resource(${arg_TARGET} "${arg_VERSION}" "${arg_PRODUCT_NAME}"
                                     "${arg_COMPANY_NAME}" "${arg_COMMENTS}")
    else()
        _varrow_add_version_section(${arg_TARGET} "${arg_VERSION}" "${arg_PRODUCT_NAME}"
                                    "${arg_COMPANY_NAME}" "${arg_COMMENTS}")
    endif()
endfunction()
