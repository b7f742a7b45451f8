# Warnings on for every target of the project, and clean.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                        -Wnon-virtual-dtor -Woverloaded-virtual)
endif()
