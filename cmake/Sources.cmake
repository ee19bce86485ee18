# The portable core: no windows.h, built for both Linux and Windows.
set(KEYSTAVE_CORE_SOURCES
  common/TextCompare.cpp
  common/GuidText.cpp
  common/FileText.cpp
  common/NumberText.cpp
  common/ToolTexts.cpp
  common/ToolTextsLookup.cpp
  common/TextEncoding.cpp
  exec/SplitToolOutput.cpp
  exec/ToolCommand.cpp
  exec/CWritePath.cpp
  exec/LocalTime.cpp
  exec/CCommandHistory.cpp
  exec/BackupFiles.cpp
  exec/CSession.cpp
  xml/XmlText.cpp
  xml/CXmlContent.cpp
  xml/CXmlElement.cpp
  xml/CXmlParser.cpp
  xml/CXmlDocument.cpp
  xml/CXmlArena.cpp
  common/UserNotice.cpp
  common/CDebugTrace.cpp
  common/CGatheredNotices.cpp
  catalogue/BcdType.cpp
  catalogue/ElementCatalogue.cpp
  catalogue/LoadElementCatalogue.cpp
  catalogue/OleSeam.cpp
  catalogue/ValueSet.cpp
  model/GridCellPlan.cpp
  model/CBcdItem.cpp
  model/CBcdObject.cpp
  model/ObjectKind.cpp
  model/CollectUnknownElement.cpp
  exec/ToolWords.cpp
  model/CStoreModel.cpp
  model/StoreReadFailure.cpp
  model/ReloadObject.cpp
  model/PropertyWrites.cpp
  model/AddPropertyPlan.cpp
  model/PageList.cpp
  model/DisplayOrderDrop.cpp
  model/DebugSettingsPlan.cpp
  model/WriteVerification.cpp
  model/EntryMarks.cpp
  model/QuickSettings.cpp
  model/DisplayPositions.cpp
  model/LoaderListRows.cpp
  model/FirmwareMenu.cpp
  model/NewEntryPlan.cpp
  tools/StoreDump.cpp
  controls/ThemeDecision.cpp
  controls/GridColumns.cpp
)

# The simulator's portable core, with its sample store embedded.
set(SAMPLE_STORE_FILE ${CMAKE_SOURCE_DIR}/sim/sample-store.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SAMPLE_STORE_FILE})
file(READ ${SAMPLE_STORE_FILE} SAMPLE_STORE_TEXT)
set(SAMPLE_STORE_CPP ${CMAKE_BINARY_DIR}/generated/SampleStore.cpp)
file(WRITE ${SAMPLE_STORE_CPP}.new
  "#include \"sim/SimStoreFile.h\"\nconst char* const kSampleStoreText = R\"KSTORE(${SAMPLE_STORE_TEXT})KSTORE\";\n")
file(COPY_FILE ${SAMPLE_STORE_CPP}.new ${SAMPLE_STORE_CPP} ONLY_IF_DIFFERENT)

set(BCDSIM_CORE_SOURCES
  sim/CSimStore.cpp
  sim/CSimulator.cpp
  sim/SimElements.cpp
  sim/SimElementCodes.cpp
  sim/SimKinds.cpp
  sim/SimStoreFile.cpp
  sim/SimCommandLine.cpp
  sim/SimTranslation.cpp
  ${SAMPLE_STORE_CPP}
)

# The portable core, and the simulator as a library of its own over it: the
# program links the core alone.
function(keystave_core_library name)
  add_library(${name} STATIC ${KEYSTAVE_CORE_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  add_library(${name}_sim STATIC ${BCDSIM_CORE_SOURCES})
  target_link_libraries(${name}_sim PUBLIC ${name})
endfunction()
