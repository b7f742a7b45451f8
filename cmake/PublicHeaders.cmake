# Each library shows the headers of its own folder to what links it, and nothing else: its public
# include root lies in the build tree and holds one symbolic link, <folder> -> the source folder,
# so `#include "<folder>/Header.h"` works for the library and its dependants only. An include of
# a folder that a target does not link then fails to compile.
function(varrow_public_headers target folder)
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    cmake_path(GET folder PARENT_PATH parent)
    file(MAKE_DIRECTORY ${root}/${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${root})
endfunction()
