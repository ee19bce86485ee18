# Tests of the cross-built Windows programs, run under Wine. Each suite runs
# in a display and a Wine prefix of its own (scripts/wine-suite.sh), copied
# from one prefix made first, so that suites run side by side.
find_program(WINE_PROGRAM NAMES wine64 wine PATHS /usr/lib/wine /usr/bin)
if(NOT WINE_PROGRAM)
  message(WARNING "Wine not found: the Windows tests are not registered")
  return()
endif()

set(WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
set(WINE_SUITE ${CMAKE_SOURCE_DIR}/scripts/wine-suite.sh)
add_test(NAME wine.prefix
  COMMAND sh -c "rm -rf '${WINE_TEMPLATE}' && WINEPREFIX='${WINE_TEMPLATE}' WINEDEBUG=-all '${WINE_PROGRAM}' wineboot -i && WINEPREFIX='${WINE_TEMPLATE}' wineserver -w")
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wineprefix LABELS wine)

# The slowest suites start first (seconds they take, roughly): with suites
# side by side, the longest one decides when all are done.
set(WINE_SUITE_COST PropertyWindows=140 Responsive=45 StoreFiles=30 MainWindowFaults=85 UserFaults=85 Grid=80 MainWindow=80
                    SafetyNet=65 BootMenus=50 QuickSettings=60 DebugSettings=55 Installer=50 CloneWizard=35
                    Win32Program=30 ToolAnswers=30)

# The 32-bit build, as the tests (64-bit Windows programs) name it: through
# Wine's drive Z:, which is the Unix root.
set(WINE_TEST_ENVIRONMENT "")
if(KEYSTAVE_WINDOWS32_BIN)
  string(REPLACE "/" "\\" windows32 "Z:${KEYSTAVE_WINDOWS32_BIN}")
  set(WINE_TEST_ENVIRONMENT "KEYSTAVE_WINDOWS32_BIN=${windows32}")
endif()
# Suites that skip without the 32-bit build, which the test command makes.
set(WINE_SUITES_NEEDING_32BIT Win32Program Installer)

# One Wine test: the gtest `filter` of the test program in a display and a
# prefix of its own, failing on a failed test, on none run and, with
# STRICT, on a skipped one.
set(WINE_FAILED "\\[  FAILED  \\]|\\] 0 tests from")
function(keystave_wine_test name filter label)
  cmake_parse_arguments(ARG "STRICT" "" "ENVIRONMENT" ${ARGN})
  set(fail "${WINE_FAILED}")
  if(ARG_STRICT)
    set(fail "${fail}|\\[  SKIPPED \\]")
  endif()
  add_test(NAME ${name}
    COMMAND ${WINE_SUITE} ${WINE_TEMPLATE}
            ${WINE_PROGRAM} ${KEYSTAVE_WINDOWS_BIN}/keystave_wine_tests.exe --gtest_filter=${filter}
    WORKING_DIRECTORY ${KEYSTAVE_WINDOWS_BIN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wineprefix LABELS ${label} TIMEOUT 300
    FAIL_REGULAR_EXPRESSION "${fail}" ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()

# One gtest suite per file, named after it.
file(GLOB WINE_TEST_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_test.cpp)
foreach(file ${WINE_TEST_FILES})
  get_filename_component(stem ${file} NAME_WE)
  string(REGEX REPLACE "_test$" "" suite ${stem})
  set(strict "")
  if(suite IN_LIST WINE_SUITES_NEEDING_32BIT)
    set(strict STRICT)
  endif()
  keystave_wine_test(wine.${suite} ${suite}.* wine ${strict} ENVIRONMENT ${WINE_TEST_ENVIRONMENT})
  foreach(entry ${WINE_SUITE_COST})
    if(entry MATCHES "^${suite}=([0-9]+)$")
      set_tests_properties(wine.${suite} PROPERTIES COST ${CMAKE_MATCH_1})
    endif()
  endforeach()

  # The suites that start keystave.exe run once more against the 32-bit
  # program (label wine32): the test command runs only the 32-bit suites, as
  # a whole second pass costs minutes; "ctest -L wine32" runs these.
  file(STRINGS ${file} drives REGEX "ProgramFixture\\.h")
  if(drives AND NOT suite IN_LIST WINE_SUITES_NEEDING_32BIT)
    keystave_wine_test(wine32.${suite} ${suite}.* wine32
                       ENVIRONMENT ${WINE_TEST_ENVIRONMENT} KEYSTAVE_TEST_32BIT_PROGRAM=1)
  endif()
endforeach()

# Tests that need the code pages of another system locale run again with
# Wine in that locale; elsewhere they skip.
foreach(run "PolishLocaleRun;pl_PL.UTF-8;Languages.APolish*"
            "RussianLocaleRun;ru_RU.UTF-8;RussianLocale.*")
  list(GET run 0 name)
  list(GET run 1 locale)
  list(GET run 2 filter)
  keystave_wine_test(wine.${name} ${filter} wine STRICT ENVIRONMENT LC_ALL=${locale})
endforeach()
