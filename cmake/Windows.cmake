# Windows: the program, the BCDEDIT.EXE simulator and the Windows-side tests.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)
option(KEYSTAVE_WINDOWS_TESTS "Build the test programs that run under Windows or Wine" ON)

keystave_core_library(keystave_core)

set(FRAMEWORK_SOURCES
  framework/CWnd.cpp
  framework/CMsgWnd.cpp
  framework/CDialogWindow.cpp
  framework/FileDialog.cpp
  framework/MessageBoxes.cpp
  framework/CDialog.cpp
  framework/AnsiTextGuard.cpp
  framework/CWinApp.cpp
  framework/CPropertyPage.cpp
  framework/CPropertySheet.cpp
  framework/DataExchange.cpp
)
set(CONTROL_SOURCES
  controls/GridMessages.cpp
  controls/CThemeLayer.cpp
  controls/CMemDC.cpp
  controls/CXHeaderCtrl.cpp
  controls/CXEdit.cpp
  controls/CAdvComboBox.cpp
  controls/CXCombo.cpp
  controls/CDropWnd.cpp
  controls/CDropListBox.cpp
  controls/CDropScrollBar.cpp
  controls/CXListCtrl.cpp
  controls/FillPropertyGrid.cpp
  controls/CDragReorder.cpp
)
add_library(keystave_win STATIC ${FRAMEWORK_SOURCES} ${CONTROL_SOURCES} winexec/ToolRunner.cpp
  winexec/ProgramSession.cpp winexec/RestartWindows.cpp winexec/Volumes.cpp)
target_include_directories(keystave_win PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(keystave_win PUBLIC keystave_core comctl32 gdi32 advapi32 shell32)

add_library(keystave_app STATIC
  app/CKeystaveDlg.cpp
  app/HtmlHelp.cpp
  app/SingleInstance.cpp
  app/ToolWait.cpp
  dialogs/CCommandLogDlg.cpp
  dialogs/WindowWritePath.cpp
  dialogs/CObjectPropertiesDlg.cpp
  dialogs/CBootLoaderPropertiesDlg.cpp
  dialogs/CBootManagerPropertiesDlg.cpp
  dialogs/CAddPropertiesDlg.cpp
  dialogs/CDeletePropertyDlg.cpp
  dialogs/CModifyPagesDlg.cpp
  dialogs/CModifyOrderDlg.cpp
  dialogs/CCloneConfigurationDlg.cpp
  dialogs/CModifyDbgSettingsDlg.cpp
  dialogs/CDebugKeyDlg.cpp
  dialogs/CApplicationKindPage.cpp
  dialogs/CSelectApplicationPropertyPage.cpp
  dialogs/CCreateObjectSheet.cpp
  dialogs/CBackupsDlg.cpp
  dialogs/CQuickSettingsDlg.cpp
  dialogs/CToolHungDlg.cpp
  dialogs/CCommandHistoryDlg.cpp
  dialogs/CFirmwareMenuDlg.cpp
  dialogs/COsLoaderCreatePage.cpp
  dialogs/CCreateBootSectorPropertyPage.cpp
  dialogs/CCreateResumeApplicationPage.cpp
  dialogs/CNewEntryPreviewPage.cpp
  dialogs/RestartQuestion.cpp
)
target_link_libraries(keystave_app PUBLIC keystave_win comdlg32)
# The version, written once in the project's first lines, for the version
# resource, the About box, the packages' names and the installer.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KEYSTAVE_ARCH win64)
  set(KEYSTAVE_ARCH_TEXT "64-bit")
  set(KEYSTAVE_ARCH_RUNS_ON "64-bit Windows (x64)")
else()
  set(KEYSTAVE_ARCH win32)
  set(KEYSTAVE_ARCH_TEXT "32-bit")
  set(KEYSTAVE_ARCH_RUNS_ON "32-bit and 64-bit Windows: take the 64-bit one where you can")
endif()
set(KEYSTAVE_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${KEYSTAVE_GENERATED}/version.h @ONLY)

add_executable(keystave WIN32 app/CKeystaveApp.cpp res/keystave.rc)
target_include_directories(keystave PRIVATE ${KEYSTAVE_GENERATED})
target_link_libraries(keystave PRIVATE keystave_app)
if(MSVC)
  # The manifest is a resource of the .rc file.
  target_link_options(keystave PRIVATE /MANIFEST:NO)
endif()

add_executable(bcdedit_sim sim/main.cpp)
set_target_properties(bcdedit_sim PROPERTIES OUTPUT_NAME BCDEDIT SUFFIX .EXE)
target_link_libraries(bcdedit_sim PRIVATE keystave_core_sim shell32)
# Under Wine, which has no tool of its own, the program runs the simulator
# beside it; a Visual Studio build keeps it apart (KEYSTAVE_TOOL names it
# there), so that keystave.exe built on Windows talks to the real tool.
option(KEYSTAVE_SIMULATOR_BESIDE_PROGRAM "Put the simulator beside keystave.exe" ${MINGW})
if(NOT KEYSTAVE_SIMULATOR_BESIDE_PROGRAM)
  set_target_properties(bcdedit_sim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/simulator)
endif()

# Data files the program opens by bare name sit beside it.
set(RUNTIME_DATA_FILES data/keystavedata.xml)
foreach(file ${RUNTIME_DATA_FILES})
  configure_file(${CMAKE_SOURCE_DIR}/${file} ${CMAKE_BINARY_DIR} COPYONLY)
endforeach()

# The help file, compiled from help/ when the compiler is there.
find_program(CHMCMD NAMES chmcmd-3.2.2 chmcmd)
set(HELP_FILE ${CMAKE_BINARY_DIR}/keystave.chm)
if(CHMCMD)
  file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
  add_custom_command(OUTPUT ${HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help-build
    COMMAND ${CHMCMD} keystave.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/help-build/keystave.chm ${HELP_FILE}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/help-build
    DEPENDS ${HELP_SOURCES}
    COMMENT "Compiling keystave.chm")
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/help-build)
  add_custom_target(keystave_help ALL DEPENDS ${HELP_FILE})
else()
  message(WARNING "No HTML Help compiler (chmcmd): keystave.chm is not built")
endif()

# The folder a Windows user copies: the program, its definitions, help,
# a short README.txt and the licence; the simulator never goes with it.
configure_file(${CMAKE_SOURCE_DIR}/package/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE.txt ${CMAKE_BINARY_DIR}/LICENSE.txt NEWLINE_STYLE CRLF)
set(PACKAGE_FILES ${CMAKE_BINARY_DIR}/keystavedata.xml ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt)
if(CHMCMD)
  list(APPEND PACKAGE_FILES ${HELP_FILE})
endif()
install(TARGETS keystave RUNTIME DESTINATION .)
install(FILES ${PACKAGE_FILES} DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Keystave)
set(CPACK_PACKAGE_FILE_NAME keystave-${PROJECT_VERSION}-${KEYSTAVE_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# The installer, when NSIS is there: keystave-<version>-<arch>-setup.exe.
find_program(MAKENSIS makensis)
if(MAKENSIS)
  set(KEYSTAVE_INSTALLER ${CMAKE_BINARY_DIR}/keystave-${PROJECT_VERSION}-${KEYSTAVE_ARCH}-setup.exe)
  # The program by its own path: a multi-configuration build puts it in a folder of its own.
  set(NSIS_OPTIONS -V2 -DVERSION=${PROJECT_VERSION} -DARCH=${KEYSTAVE_ARCH} -DFILES=${CMAKE_BINARY_DIR}
                   -DPROGRAM=$<TARGET_FILE:keystave>
                   -DOUTFILE=${KEYSTAVE_INSTALLER} -DICON=${CMAKE_SOURCE_DIR}/res/keystave.ico)
  if(CHMCMD)
    list(APPEND NSIS_OPTIONS -DHELP)
  endif()
  add_custom_command(OUTPUT ${KEYSTAVE_INSTALLER}
    COMMAND ${MAKENSIS} ${NSIS_OPTIONS} ${CMAKE_SOURCE_DIR}/package/keystave.nsi
    DEPENDS keystave ${PACKAGE_FILES} ${CMAKE_SOURCE_DIR}/package/keystave.nsi ${CMAKE_SOURCE_DIR}/res/keystave.ico
    COMMENT "Making the installer with NSIS")
  add_custom_target(keystave_installer ALL DEPENDS ${KEYSTAVE_INSTALLER})
else()
  message(WARNING "No NSIS (makensis): the installer is not built")
endif()

if(KEYSTAVE_WINDOWS_TESTS)
  add_executable(toolprobe tests/wine/toolprobe.cpp)
  add_executable(startbench bench/startbench.cpp)
  target_link_libraries(startbench PRIVATE keystave_win)
  add_library(gridhost_dialog STATIC tests/wine/CGridHostDlg.cpp)
  target_link_libraries(gridhost_dialog PUBLIC keystave_win keystave_core_sim)
  add_executable(gridhost WIN32 tests/wine/gridhost_main.cpp tests/wine/gridhost.rc)
  target_link_libraries(gridhost PRIVATE gridhost_dialog)
  if(EXISTS /usr/src/googletest/CMakeLists.txt AND NOT MSVC)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(KEYSTAVE_GTEST_TARGETS gtest gtest_main)
  else()
    find_package(GTest)
    set(KEYSTAVE_GTEST_TARGETS GTest::gtest GTest::gtest_main)
  endif()
  if(TARGET gtest OR TARGET GTest::gtest)
    file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_test.cpp)
    # The screenshot tour runs only when scripts/screenshot-windows.sh asks for it.
    add_executable(keystave_wine_tests ${WINE_TEST_SOURCES} tests/wine/WineTestSupport.cpp
                   tests/wine/ScreenshotTour.cpp tests/wine/gridhost.rc)
    target_link_libraries(keystave_wine_tests PRIVATE gridhost_dialog keystave_app keystave_core_sim version ${KEYSTAVE_GTEST_TARGETS})
    target_include_directories(keystave_wine_tests PRIVATE ${KEYSTAVE_GENERATED})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      # A unity build includes each test file, so GCC takes their fixtures in
      # anonymous namespaces for a header's.
      target_compile_options(keystave_wine_tests PRIVATE -Wno-subobject-linkage)
    endif()
    add_dependencies(keystave_wine_tests keystave bcdedit_sim toolprobe gridhost)
  endif()
endif()
