# Linux: the portable core with its tests, fuzzers and benchmarks.
option(KEYSTAVE_SANITIZE "Build tests with AddressSanitizer and UBSan" ON)
option(KEYSTAVE_FUZZ "Build libFuzzer targets (clang only)" ON)
set(KEYSTAVE_WINDOWS_BIN "" CACHE PATH "Folder of the cross-built Windows programs, for Wine tests")
set(KEYSTAVE_WINDOWS32_BIN "" CACHE PATH "Folder of the 32-bit build, which the Wine tests drive too")

enable_testing()
find_package(GTest REQUIRED)
find_package(benchmark QUIET)

set(SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(KEYSTAVE_FUZZ OFF)
endif()

keystave_core_library(keystave_core)
if(KEYSTAVE_SANITIZE)
  target_compile_options(keystave_core PUBLIC ${SANITIZER_FLAGS})
  target_link_options(keystave_core PUBLIC ${SANITIZER_FLAGS})
endif()
if(KEYSTAVE_FUZZ)
  target_compile_options(keystave_core PRIVATE -fsanitize=fuzzer-no-link)
  target_compile_options(keystave_core_sim PRIVATE -fsanitize=fuzzer-no-link)
endif()

# Native unit tests: one file per unit, one program.
file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(keystave_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(keystave_tests PRIVATE keystave_core_sim GTest::gtest GTest::gtest_main)
target_compile_definitions(keystave_tests PRIVATE
  KEYSTAVE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  KEYSTAVE_SAMPLES_DIR="${CMAKE_SOURCE_DIR}/tests/data/bcdedit")
include(GoogleTest)
gtest_discover_tests(keystave_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

# Fuzzers: a short run of each belongs to the test command.
set(KEYSTAVE_FUZZ_SECONDS 5 CACHE STRING "Seconds each fuzzer runs inside ctest")
if(KEYSTAVE_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzzer.cpp)
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE keystave_core_sim)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_compile_definitions(${name} PRIVATE KEYSTAVE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    set(corpus ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    add_test(NAME fuzz.${name}
      COMMAND ${name} -max_total_time=${KEYSTAVE_FUZZ_SECONDS} -max_len=65536 -rss_limit_mb=2048
              ${CMAKE_BINARY_DIR}/fuzz-work/${name} ${corpus})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-work/${name})
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz)
  endforeach()
endif()

# Benchmarks build against an optimised, unsanitised copy of the core.
if(benchmark_FOUND)
  keystave_core_library(keystave_core_bench)
  target_compile_options(keystave_core_bench PRIVATE -O2)
  target_compile_options(keystave_core_bench_sim PRIVATE -O2)
  file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
  foreach(source ${BENCH_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -O2)
    target_link_libraries(${name} PRIVATE keystave_core_bench_sim benchmark::benchmark)
    target_compile_definitions(${name} PRIVATE KEYSTAVE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    if(name STREQUAL "xml_bench")
      # The peers it is measured against, only when installed.
      foreach(peer "pugixml;pugixml.hpp;PUGIXML" "tinyxml2;tinyxml2.h;TINYXML2")
        list(GET peer 0 library)
        list(GET peer 1 header)
        list(GET peer 2 macro)
        find_library(${macro}_LIBRARY ${library})
        find_path(${macro}_INCLUDE ${header})
        if(${macro}_LIBRARY AND ${macro}_INCLUDE)
          target_compile_definitions(${name} PRIVATE KEYSTAVE_HAVE_${macro})
          target_include_directories(${name} PRIVATE ${${macro}_INCLUDE})
          target_link_libraries(${name} PRIVATE ${${macro}_LIBRARY})
        endif()
      endforeach()
    endif()
    # Only proves the benchmark runs; its numbers are read by hand.
    add_test(NAME bench.${name} COMMAND ${name} --benchmark_min_time=0.01 --benchmark_filter=-/10000$)
    set_tests_properties(bench.${name} PROPERTIES LABELS bench)
  endforeach()
endif()

if(KEYSTAVE_WINDOWS_BIN)
  include(${CMAKE_SOURCE_DIR}/cmake/WineTests.cmake)
endif()
if(KEYSTAVE_WINDOWS_BIN AND KEYSTAVE_WINDOWS32_BIN)
  # The release files from the two builds: names, contents, sums, imports.
  add_test(NAME release.package
    COMMAND sh -c "KEYSTAVE_WINDOWS_BIN='${KEYSTAVE_WINDOWS_BIN}' KEYSTAVE_WINDOWS32_BIN='${KEYSTAVE_WINDOWS32_BIN}' \
                   DIST_DIR='${CMAKE_BINARY_DIR}/dist' '${CMAKE_SOURCE_DIR}/scripts/package.sh' --built && \
                   python3 '${CMAKE_SOURCE_DIR}/scripts/check-package.py' '${CMAKE_BINARY_DIR}/dist' ${PROJECT_VERSION}")
  set_tests_properties(release.package PROPERTIES LABELS release)
endif()

# keystave-dump: reads saved tool output as the program does.
add_executable(keystave-dump tools/keystave-dump.cpp)
target_link_libraries(keystave-dump PRIVATE keystave_core_sim)
configure_file(${CMAKE_SOURCE_DIR}/data/keystavedata.xml ${CMAKE_BINARY_DIR}/keystavedata.xml COPYONLY)
# Includes between the source folders run from a layer to those below it.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  add_test(NAME layers.IncludesRunOneWay COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-layers.py)
  set_tests_properties(layers.IncludesRunOneWay PROPERTIES LABELS native)
endif()

add_test(NAME dump.PublishedOutput
  COMMAND keystave-dump ${CMAKE_SOURCE_DIR}/tests/data/bcdedit/enum_v_02.txt
          ${CMAKE_SOURCE_DIR}/tests/data/bcdedit/dbgsettings_03.txt)
set_tests_properties(dump.PublishedOutput PROPERTIES LABELS native
  PASS_REGULAR_EXPRESSION "object loader \\{4ae36b77-a304-11ed-beaa-d8a5cf26f6ec\\} Windows 11\n.*object debugger -\n  debugtype = Serial")
add_test(NAME dump.UnreadableFile COMMAND keystave-dump /nonexistent/saved.txt)
set_tests_properties(dump.UnreadableFile PROPERTIES LABELS native WILL_FAIL TRUE)
# A tool error instead of a listing: the reason is printed, the exit code says it.
add_test(NAME dump.ToolError
  COMMAND keystave-dump ${CMAKE_SOURCE_DIR}/tests/data/bcdedit/error_01.txt)
set_tests_properties(dump.ToolError PROPERTIES LABELS native WILL_FAIL TRUE)
add_test(NAME dump.ToolErrorReason
  COMMAND sh -c "$<TARGET_FILE:keystave-dump> '${CMAKE_SOURCE_DIR}/tests/data/bcdedit/error_01.txt' 2>&1; exit 0")
set_tests_properties(dump.ToolErrorReason PROPERTIES LABELS native
  PASS_REGULAR_EXPRESSION "no boot manager section. The boot configuration could not be read. BCDEDIT.EXE said:")
