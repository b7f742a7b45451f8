# The hardening that Debian builds its own packages with, for optimised Linux builds: checked
# string and memory functions, and the dynamic relocations resolved at start and made read-only.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang"
   AND NOT VARROW_SANITIZE AND NOT VARROW_FUZZ)
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    add_link_options(-Wl,-z,relro,-z,now)
endif()
