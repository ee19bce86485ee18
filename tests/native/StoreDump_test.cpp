#include "tools/StoreDump.h"
#include "model/StoreReadFailure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimStoreFile.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/Samples.h"

namespace {

class StoreDump : public WithShippedCatalogue {};

std::vector<std::string> DumpLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST_F(StoreDump, PrintsEveryObjectAndItemOfTheSimulatorsStore)
{
    CSimStore store;
    std::string error;
    ASSERT_TRUE(store.Parse(kSampleStoreText, error));
    CSimulator simulator(store);
    std::string enumText = simulator.Execute({"/ENUM", "/V"}).out;
    std::string debugText = simulator.Execute({"/DBGSETTINGS"}).out;

    std::vector<std::string> lines = DumpLines(DumpSavedOutput(enumText, &debugText));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "object bootmanager {9dea862c-5cdd-4e70-acc1-f32b344d4795} Windows Boot Manager");
    EXPECT_EQ(lines[1], "  identifier = {9dea862c-5cdd-4e70-acc1-f32b344d4795}");
    size_t objects = 0, items = 0;
    for (const std::string& line : lines) {
        objects += line.rfind("object ", 0) == 0;
        items += line.rfind("  ", 0) == 0;
        EXPECT_EQ(line.rfind("message ", 0), std::string::npos) << line;
    }
    // Boot manager, four loaders, debugger settings.
    EXPECT_EQ(objects, 6u);
    size_t expectedItems = 1;  // the debugger settings' one element
    const SimObject* manager = store.FindByAlias("{bootmgr}");
    expectedItems += manager->elements.size() + 1;
    for (const std::string& guid : manager->Find("displayorder")->values) {
        const SimObject* entry = store.FindByGuid(guid);
        if (entry->kind != "bootsector")
            expectedItems += entry->elements.size() + 1;
    }
    EXPECT_EQ(items, expectedItems);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "  displayorder = {5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963} | "
                        "{5d8a3f30-1c4b-11ef-9a7d-806e6f6e6963} | "
                        "{5d8a3f31-1c4b-11ef-9a7d-806e6f6e6963} | "
                        "{466f5a88-0af2-4f76-9038-095b170dc21c} | "
                        "{5d8a3f33-1c4b-11ef-9a7d-806e6f6e6963}"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "  custom:47000005 : CUSTOM IDENTIFIER = 301989892 | 3"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  debugtype = Local"), lines.end());
    // Then every object of the listing with its kind: the boot sector too,
    // which has no object lines of its own.
    std::vector<std::string> entries;
    for (const std::string& line : lines)
        if (line.rfind("entry ", 0) == 0)
            entries.push_back(line);
    EXPECT_EQ(entries, (std::vector<std::string>{
                           "entry bootmanager {9dea862c-5cdd-4e70-acc1-f32b344d4795} Windows Boot Manager",
                           "entry loader {5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963} Windows 11",
                           "entry loader {5d8a3f30-1c4b-11ef-9a7d-806e6f6e6963} Windows 10 Pro",
                           "entry loader {5d8a3f31-1c4b-11ef-9a7d-806e6f6e6963} Windows 11 (test signing)",
                           "entry legacyloader {466f5a88-0af2-4f76-9038-095b170dc21c} Earlier Version of Windows",
                           "entry bootsector {5d8a3f33-1c4b-11ef-9a7d-806e6f6e6963} GRUB (Debian)",
                       }));
}

TEST_F(StoreDump, EveryObjectOfAllAndFirmwareListingsInAnyLanguageWithItsKind)
{
    auto kinds = [](const std::string& saved) {
        std::vector<std::string> words;
        for (const std::string& line : DumpLines(DumpSavedOutput(saved, nullptr)))
            if (line.rfind("entry ", 0) == 0)
                words.push_back(line.substr(6, line.find(' ', 6) - 6));
        return words;
    };
    using Words = std::vector<std::string>;
    // The Dell menu: a copy of the boot manager among the firmware entries.
    Words dell = kinds(ReadSample("enum_firmware_en_dell_duplicate_wbm_onboard_nic_usb.txt"));
    EXPECT_EQ(dell, (Words{"firmwaremanager", "bootmanager", "firmwareapp", "firmwareapp", "firmwareapp",
                           "firmwareapp", "firmwareapp", "firmwareapp"}));
    // Portuguese headings: the same kinds; a second boot manager heading with a GUID.
    Words portuguese = kinds(ReadSample("enum_firmware_pt-BR_listing_then_error_exit1_device_unknown.txt"));
    EXPECT_EQ(portuguese, (Words{"firmwaremanager", "bootmanager", "bootmanager", "firmwareapp", "firmwareapp",
                                 "firmwareapp", "firmwareapp"}));
    // "/enum all /v": resume, memory tester and settings objects.
    Words all = kinds(ReadSample("enum_all_v_01.txt"));
    for (const char* kind : {"bootmanager", "loader", "resume", "memorytester", "other"})
        EXPECT_NE(std::find(all.begin(), all.end(), kind), all.end()) << kind;
    EXPECT_EQ(std::count(all.begin(), all.end(), "loader"), 2);
    EXPECT_EQ(std::count(all.begin(), all.end(), "other"), 8) << "settings, device and RAM defect objects";
}

TEST_F(StoreDump, MessagesAndBareLineFeeds)
{
    std::string saved = "Windows Boot Manager\n--------------------\nidentifier {bootmgr}\n"
                        "oddity x\n";
    std::vector<std::string> lines = DumpLines(DumpSavedOutput(saved, nullptr));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "object bootmanager {bootmgr}");
    EXPECT_EQ(lines[2], "  oddity : UNKNOWN IDENTIFIER = x");
    EXPECT_EQ(lines[3], "entry bootmanager {bootmgr}");
    EXPECT_EQ(lines[4],
              "message Unsupported Boot Identifier: oddity.\\nPlease report unsupported "
              "identifiers to Corvane.");
    EXPECT_EQ(DumpSavedOutput("", nullptr), "");
}

TEST(StoreReadFailure, SaysWhyInTheToolsWordsOrThatItDidNotStart)
{
    EXPECT_EQ(StoreReadFailure(""), "BCDEDIT.EXE could not be started.");
    EXPECT_EQ(StoreReadFailure("\r\n  \r\n"), "BCDEDIT.EXE could not be started.");
    EXPECT_EQ(StoreReadFailure("The boot configuration data store could not be opened.\r\n"
                               "Access is denied.\r\n"),
              "The boot configuration could not be read. BCDEDIT.EXE said:\n\n"
              "The boot configuration data store could not be opened.\nAccess is denied.");
    std::string failure = "unset";
    DumpSavedOutput("Der Speicher konnte nicht ge\xc3\xb6" "ffnet werden.\r\nZugriff verweigert\r\n",
                    nullptr, &failure);
    EXPECT_NE(failure.find("Zugriff verweigert"), std::string::npos) << failure;
    DumpSavedOutput("Windows Boot Manager\r\n--------------------\r\nidentifier {bootmgr}\r\n",
                    nullptr, &failure);
    EXPECT_EQ(failure, "") << "a boot manager: no failure";
}
