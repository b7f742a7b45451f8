# Warnings on, and clean, for the project's own code only: the interface target varrow_warnings
# carries the flags, and varrow_link_warnings gives it to every target defined under the source
# tree once they all exist, so code built from elsewhere (GoogleTest's sources in a cross build)
# keeps its own flags.
add_library(varrow_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(varrow_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
        -Wconversion -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual)
endif()

function(varrow_link_warnings directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
            target_link_libraries(${target} PRIVATE varrow_warnings)
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${subdirectory} NORMALIZE ours)
        if(ours)
            varrow_link_warnings(${subdirectory})
        endif()
    endforeach()
endfunction()
