# Settings shared by every target of the project.

# Warnings every target of ours is held to; -Werror in the test build.
# Options structs are filled with designated initialisers and rely on their
# default member initialisers, which g++ would report as missing.
function(project_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers
        $<$<BOOL:${WARNINGS_AS_ERRORS}>:-Werror>)
endfunction()

# A library or program of ours: warnings, and the source root on the include
# path so includes read like "lyrics/LyricParser.h".
function(project_target target)
    project_warnings(${target})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# add_project_test(NAME SOURCES ... [LIBS ...] [LABELS ...] [MAIN source])
# A GoogleTest program, with GoogleTest's main unless MAIN names another. On Windows it is placed in TEST_BIN_DIR, beside the
# DLLs that tests load, and runs under Wine through the cross-compiling
# emulator; its cases are discovered at test time, inside the test session.
function(add_project_test name)
    cmake_parse_arguments(ARG "" "MAIN" "SOURCES;LIBS;LABELS" ${ARGN})
    if(ARG_MAIN)
        add_executable(${name} ${ARG_SOURCES} ${ARG_MAIN})
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
    else()
        add_executable(${name} ${ARG_SOURCES})
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    endif()
    project_target(${name})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(WIN32)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR})
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>
        PROPERTIES LABELS "${ARG_LABELS}")
endfunction()

# add_fuzz_test(NAME SOURCES ... [LIBS ...] [SEEDS folder] [SECONDS n] [MAX_LEN n])
# A libFuzzer target (clang, host build only) and a bounded run of it as a
# test. New inputs go to a folder in the build tree; committed seeds are only
# read.
function(add_fuzz_test name)
    if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        return()
    endif()
    cmake_parse_arguments(ARG "" "SEEDS;SECONDS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_SECONDS)
        set(ARG_SECONDS 30)
    endif()
    if(NOT ARG_MAX_LEN)
        set(ARG_MAX_LEN 4096)
    endif()
    set(target fuzz_${name})
    add_executable(${target} ${ARG_SOURCES})
    project_target(${target})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    set(work_corpus ${CMAKE_CURRENT_BINARY_DIR}/${target}-corpus)
    file(MAKE_DIRECTORY ${work_corpus})
    add_test(NAME fuzz.${name}
        COMMAND ${target} -max_total_time=${ARG_SECONDS} -rss_limit_mb=2048
                -max_len=${ARG_MAX_LEN} ${work_corpus} ${ARG_SEEDS})
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
