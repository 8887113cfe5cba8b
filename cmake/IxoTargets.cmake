# Helpers so that every library, program, test and benchmark target is declared the same way.

set(IXO_WARNINGS -Wall -Wextra -Werror -Wpedantic)
# GCC 12 reports overlapping copies inside std::string for "literal" + std::string at -O2 (GCC bug
# 105329, a false positive); the warning stays on for other compilers.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND IXO_WARNINGS -Wno-restrict)
endif()

# ixo_add_layer(LAYER [FOLDER DIR] [EXCLUDE REGEX] [ROOMS] [DEPS ...] [PRIVATE_DEPS ...]): the static library
# ixo_<LAYER> made of the .cpp files of src/<FOLDER> (FOLDER defaults to LAYER), and with ROOMS also of its
# sub-folders (the window's rooms, included as "<FOLDER>/<room>/name.h"). Its headers are included
# as "<FOLDER>/name.h" through an include root that holds only this folder (a link in the build tree), so
# a target sees the headers of its own layer and of the layers it links, and nothing above: an include
# of a higher layer fails to build. DEPS are the layers directly below that this one uses.
function(ixo_add_layer layer)
    cmake_parse_arguments(ARG "ROOMS" "FOLDER;EXCLUDE" "DEPS;PRIVATE_DEPS" ${ARGN})
    if(NOT ARG_FOLDER)
        set(ARG_FOLDER ${layer})
    endif()
    if(ARG_ROOMS)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${ARG_FOLDER}/*.cpp)
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${ARG_FOLDER}/*.cpp)
    endif()
    if(ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
    endif()
    set(root ${CMAKE_BINARY_DIR}/include-roots/${layer})
    get_filename_component(link_dir ${root}/${ARG_FOLDER} DIRECTORY)
    file(MAKE_DIRECTORY ${link_dir})
    if(NOT EXISTS ${root}/${ARG_FOLDER})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${ARG_FOLDER} ${root}/${ARG_FOLDER} SYMBOLIC)
    endif()
    add_library(ixo_${layer} STATIC ${sources})
    target_include_directories(ixo_${layer} PUBLIC ${root})
    target_compile_options(ixo_${layer} PRIVATE ${IXO_WARNINGS})
    target_link_libraries(ixo_${layer} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# ixo_add_program(NAME SOURCES ... [DEPS ...])
function(ixo_add_program name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${IXO_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# ixo_add_test(NAME SOURCES ... [DEPS ...]): one GoogleTest binary, its cases registered with ctest. The
# tests/ folder is an include root (shared fixtures as "support/...", a suite's helpers by folder).
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

# ixo_glob_sources(VAR DIR ...): the .cpp files of the given folders and their sub-folders (relative to the
# current list file).
function(ixo_glob_sources var)
    set(result "")
    foreach(dir ${ARGN})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND result ${found})
    endforeach()
    set(${var} ${result} PARENT_SCOPE)
endfunction()
