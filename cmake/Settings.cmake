# Compile settings shared by every target of ours, on one INTERFACE target.
add_library(tunelark_settings INTERFACE)
target_compile_features(tunelark_settings INTERFACE cxx_std_20)
target_compile_options(tunelark_settings INTERFACE
    -Wall -Wextra -Werror -Wold-style-cast -Wnon-virtual-dtor)
# clang knows no "=local" form; its plain -Wshadow would also flag members and is left off.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(tunelark_settings INTERFACE -Wshadow=local)
endif()
target_include_directories(tunelark_settings INTERFACE ${PROJECT_SOURCE_DIR})

option(TUNELARK_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TUNELARK_TSAN "Build everything with ThreadSanitizer" OFF)
if(TUNELARK_SANITIZE AND TUNELARK_TSAN)
    message(FATAL_ERROR "TUNELARK_SANITIZE and TUNELARK_TSAN exclude each other")
endif()
if(TUNELARK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(TUNELARK_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# libFuzzer targets (fuzz/): the whole tree gets coverage instrumentation and ASan+UBSan; only
# the fuzz targets link libFuzzer's main. clang only.
option(TUNELARK_FUZZ "Build the libFuzzer targets in fuzz/ (clang only)" OFF)
if(TUNELARK_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TUNELARK_FUZZ needs clang (CC=clang CXX=clang++)")
    endif()
    if(TUNELARK_SANITIZE OR TUNELARK_TSAN)
        message(FATAL_ERROR "TUNELARK_FUZZ brings its own sanitizers")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# One static library per folder: tunelark_library(name SOURCES... [DEPS ...]).
function(tunelark_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC tunelark_settings ${ARG_DEPS})
endfunction()

# A GoogleTest binary registered as one CTest test: tunelark_test(name SOURCES... DEPS...).
function(tunelark_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tunelark_settings GTest::gtest GTest::gtest_main ${ARG_DEPS})
    target_compile_definitions(${name} PRIVATE TUNELARK_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS "${ARG_LABELS}")
endfunction()

# The library of one folder: every .cpp in it. tunelark_folder_library(name DEPS ...).
function(tunelark_folder_library name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    tunelark_library(${name} SOURCES ${sources} ${ARGN})
endfunction()
