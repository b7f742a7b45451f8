# Tests of what file permissions refuse skip themselves in a process that may write any file (root).
# varrow_add_unprivileged_tests runs the named cases of a GoogleTest executable once more without
# those rights, so a root build (CI) exercises them too.
function(varrow_add_unprivileged_tests target filter)
    if(WIN32)
        return()
    endif()
    add_test(NAME ${target}.unprivileged
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/run-unprivileged.sh
                     $<TARGET_FILE:${target}> --gtest_filter=${filter})
    # A case that still skips, or a filter that matched none, must not pass unnoticed.
    set_tests_properties(${target}.unprivileged PROPERTIES
        FAIL_REGULAR_EXPRESSION "SKIPPED;0 tests from 0 test suites")
endfunction()
