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
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|\\] 0 tests from")
endforeach()

# Tests that need the code pages of another system locale run again with
# Wine in that locale; elsewhere they skip.
foreach(run "PolishLocaleRun;pl_PL.UTF-8;Languages.APolish*"
            "RussianLocaleRun;ru_RU.UTF-8;RussianLocale.*")
  list(GET run 0 name)
  list(GET run 1 locale)
  list(GET run 2 filter)
  add_test(NAME wine.${name}
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=${locale}
            ${WINE_PROGRAM} ${KEYSTAVE_WINDOWS_BIN}/keystave_wine_tests.exe --gtest_filter=${filter}
    WORKING_DIRECTORY ${KEYSTAVE_WINDOWS_BIN})
  set_tests_properties(wine.${name} PROPERTIES
    FIXTURES_REQUIRED wineprefix RUN_SERIAL TRUE LABELS wine TIMEOUT 300
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|\\[  SKIPPED \\]|\\] 0 tests from")
endforeach()
