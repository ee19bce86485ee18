# Tests of the cross-built Windows programs, run under Wine. The caller sets
# WINEPREFIX (one throw-away prefix per run) and provides a display.
find_program(WINE_PROGRAM NAMES wine64 wine PATHS /usr/lib/wine /usr/bin)
if(NOT WINE_PROGRAM)
  message(WARNING "Wine not found: the Windows tests are not registered")
  return()
endif()

add_test(NAME wine.prefix COMMAND ${WINE_PROGRAM} wineboot -i)
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wineprefix LABELS wine)

# One gtest suite per file, named after it.
file(GLOB WINE_TEST_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_test.cpp)
foreach(file ${WINE_TEST_FILES})
  get_filename_component(stem ${file} NAME_WE)
  string(REGEX REPLACE "_test$" "" suite ${stem})
  add_test(NAME wine.${suite}
    COMMAND ${WINE_PROGRAM} ${KEYSTAVE_WINDOWS_BIN}/keystave_wine_tests.exe --gtest_filter=${suite}.*
    WORKING_DIRECTORY ${KEYSTAVE_WINDOWS_BIN})
  # Windows tests share one display and one wineserver: one at a time.
  set_tests_properties(wine.${suite} PROPERTIES
    FIXTURES_REQUIRED wineprefix RUN_SERIAL TRUE LABELS wine TIMEOUT 300
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|0 tests from")
endforeach()
