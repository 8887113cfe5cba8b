# Helpers so that every library, program, test and benchmark target is declared the same way.

set(IXO_WARNINGS -Wall -Wextra -Werror -Wpedantic)
# GCC 12 reports overlapping copies inside std::string for "literal" + std::string at -O2 (GCC bug
# 105329, a false positive); the warning stays on for other compilers.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND IXO_WARNINGS -Wno-restrict)
endif()

# ixo_add_library(NAME SOURCES ... [PUBLIC_DEPS ...] [PRIVATE_DEPS ...])
function(ixo_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${IXO_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# ixo_add_program(NAME SOURCES ... [DEPS ...])
function(ixo_add_program name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${IXO_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# ixo_add_test(NAME SOURCES ... [DEPS ...]): one GoogleTest binary, its cases registered with ctest.
function(ixo_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${IXO_WARNINGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        IXO_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        IXO_BIN_DIR="${IXO_BIN_DIR}")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "IXO_BIN_DIR=${IXO_BIN_DIR}")
endfunction()

# ixo_add_bench(NAME SOURCES ... [DEPS ...]): a Google Benchmark program (not run by ctest).
function(ixo_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${IXO_WARNINGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/bench)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
    target_compile_definitions(${name} PRIVATE IXO_BIN_DIR="${IXO_BIN_DIR}")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# ixo_glob_sources(VAR DIR ...): the .cpp files of the given source folders.
function(ixo_glob_sources var)
    set(result "")
    foreach(dir ${ARGN})
        file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
        list(APPEND result ${found})
    endforeach()
    set(${var} ${result} PARENT_SCOPE)
endfunction()
