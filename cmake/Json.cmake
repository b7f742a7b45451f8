# nlohmann-json (header-only) as the target varrow_json. A cross build must not put the host's
# /usr/include on its search path, so it gets an include root of its own in the build tree that
# holds only a link to the library's headers.
add_library(varrow_json INTERFACE)
if(CMAKE_CROSSCOMPILING)
    find_path(VARROW_JSON_HEADERS nlohmann/json.hpp NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(root ${CMAKE_BINARY_DIR}/json-include)
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${VARROW_JSON_HEADERS}/nlohmann ${root}/nlohmann SYMBOLIC)
    target_include_directories(varrow_json SYSTEM INTERFACE ${root})
else()
    find_package(nlohmann_json 3.10 REQUIRED)
    target_link_libraries(varrow_json INTERFACE nlohmann_json::nlohmann_json)
endif()
