# Runs the test executables of a Windows build under Wine, as far as this machine can: the 64-bit
# loader runs x86_64 executables; 32-bit ones need a 32-bit kernel interface and are only built.
# Included before the test folders, so every test executable and every gtest_discover_tests call
# picks this up.

# Tests are listed when ctest runs, not after each link: listing needs the emulator, and a 32-bit
# build has none.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Wine shows the host's root directory as drive Z:, so host paths compiled into the tests are
# given in that form.
cmake_path(ABSOLUTE_PATH VARROW_SHARED_DIR NORMALIZE OUTPUT_VARIABLE hostSharedDir)
set(VARROW_SHARED_DIR Z:${hostSharedDir})

find_program(VARROW_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL AMD64 AND VARROW_WINE64 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    # A prefix of our own in the build directory, no display, no debug channels; the .NET and
    # HTML engines and the desktop-menu builder stay off so nothing is fetched or written
    # outside the prefix.
    set(winePrefix ${CMAKE_BINARY_DIR}/wineprefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=${winePrefix} WINEDEBUG=-all
        "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=" ${VARROW_WINE64})
    add_custom_command(OUTPUT ${winePrefix}.created
        COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init
        COMMAND ${CMAKE_COMMAND} -E touch ${winePrefix}.created
        COMMENT "Creating the Wine prefix for the tests" VERBATIM)
    add_custom_target(wine_prefix ALL DEPENDS ${winePrefix}.created)
endif()
