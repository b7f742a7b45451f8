# A cross build finds no GoogleTest for its target: build it with the cross compiler from the
# sources Debian ships (package googletest). Defines GTest::gtest, GTest::gtest_main,
# GTest::gmock and GTest::gmock_main like the installed package; each is built only when a test
# links it.
set(VARROW_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources for cross builds")
if(NOT EXISTS ${VARROW_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${VARROW_GOOGLETEST_SOURCE_DIR}: "
                        "install them with scripts/install-deps.sh windows")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "Install GoogleTest with the project")
add_subdirectory(${VARROW_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
