# Compiler cache: paths are hashed relative to the tree, so several checkouts share one cache.
find_program(OV_CCACHE ccache)
if(OV_CCACHE)
    set(OV_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1
        ${OV_CCACHE})
    set(CMAKE_C_COMPILER_LAUNCHER ${OV_LAUNCHER})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${OV_LAUNCHER})
endif()

# Warnings, hardening and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
add_compile_definitions(
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
    QT_NO_CAST_FROM_BYTEARRAY _GLIBCXX_ASSERTIONS)

if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    add_compile_definitions(_FORTIFY_SOURCE=2)
endif()

if(OV_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(OV_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT OV_SANITIZE STREQUAL "")
    message(FATAL_ERROR "OV_SANITIZE must be empty, address or thread")
endif()
# The fuzz build: coverage for libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer on
# every object; only the targets themselves link the fuzzer's main.
if(OV_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "OV_FUZZ needs clang (CC=clang CXX=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# The test builds (make test) treat every warning as an error, so none comes back unseen.
if(NOT OV_SANITIZE STREQUAL "")
    add_compile_options(-Werror)
endif()

# ov_add_library(name [WIDGETS] SOURCES... LIBS...) - a static library from one folder.
# ov_add_test(name [THREADED] [XVFB] SOURCES ... LIBS ...) - one GoogleTest executable under CTest.
# THREADED tests also run in the ThreadSanitizer build; XVFB tests need a real X server.
function(ov_add_test name)
    cmake_parse_arguments(T "THREADED;XVFB" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ov_testsupport GTest::gtest GTest::gmock)
    set(labels "")
    if(T_THREADED)
        list(APPEND labels threaded)
        set_property(GLOBAL APPEND PROPERTY OV_THREADED_TESTS ${name})
    endif()
    if(T_XVFB)
        list(APPEND labels xvfb)
        add_test(NAME ${name}
                 COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    # Qt is not built with ThreadSanitizer: the hand-overs of its own workers (thread pool,
    # image conversion) happen under its own locks, so only calls from our code are checked.
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1;TSAN_OPTIONS=second_deadlock_stack=1:ignore_noninstrumented_modules=1:suppressions=${PROJECT_SOURCE_DIR}/tests/support/tsan.supp"
        LABELS "${labels}"
        TIMEOUT 300)
endfunction()

# Threaded tests are collected so the ThreadSanitizer build compiles only those.
set_property(GLOBAL PROPERTY OV_THREADED_TESTS "")
