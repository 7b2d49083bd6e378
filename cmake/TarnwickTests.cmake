# tarnwick_unit_test(name SOURCES... LIBS...): a GoogleTest program of window-free
# logic; runs natively (sanitizers on) and, in the cross build, under Wine.
function(tarnwick_unit_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    if(WIN32)
        target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS unit)
endfunction()

# tarnwick_wine_test(name SOURCES... LIBS...): a GoogleTest program that drives the
# real programs under Wine; it finds them in its own folder. They all share one
# desktop, keyboard, mouse and clipboard, and end every running instance of the
# program when they start, so `ctest -j` runs them one at a time.
function(tarnwick_wine_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} wine_test_support gtest_main)
    add_dependencies(${name} Tarnwick ntlauncher keyhook)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 900 RESOURCE_LOCK wine_desktop)
endfunction()

# tarnwick_fuzzer(name SOURCE library): a libFuzzer target over the library, which is
# instrumented for coverage so that the fuzzer is guided by it. Native clang builds
# with TARNWICK_FUZZ only (scripts/fuzz.sh).
function(tarnwick_fuzzer name source library)
    if(WIN32 OR NOT TARNWICK_FUZZ)
        return()
    endif()
    target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE ${library})
endfunction()
