#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exec/ToolCommand.h"
#include "model/CStoreModel.h"
#include "model/FirmwareMenu.h"
#include "model/LoaderListRows.h"
#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimStoreFile.h"
#include "sim/SimTranslation.h"
#include "common/ToolTexts.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/Samples.h"
#include "tests/native/SimulatorRun.h"

namespace {

const char* const kGrub = "{5d8a3f33-1c4b-11ef-9a7d-806e6f6e6963}";
const char* const kMemdiag = "{b2721d73-1db4-4c62-bf78-c548a880142d}";
const char* const kShim = "{5d8a3f40-1c4b-11ef-9a7d-806e6f6e6963}";
const char* const kUsb = "{5d8a3f41-1c4b-11ef-9a7d-806e6f6e6963}";
const char* const kCopiedManager = "{5d8a3f43-1c4b-11ef-9a7d-806e6f6e6963}";
const char* const kBootManagerGuid = "{9dea862c-5cdd-4e70-acc1-f32b344d4795}";

class BootMenus : public WithShippedCatalogue {
protected:
    void SetUp() override
    {
        WithShippedCatalogue::SetUp();
        std::string error;
        ASSERT_TRUE(store.Parse(kSampleStoreText, error)) << error;
    }
    CStoreModel Model(CStoreModel::Scope scope = CStoreModel::Scope::Menus)
    {
        CStoreModel model(SimulatorAnsweredRun(simulator, &log));
        model.SetScope(scope);
        model.EnumerateStore();
        return model;
    }
    std::vector<std::string> Column(const std::vector<LoaderListRow>& rows, int column)
    {
        std::vector<std::string> cells;
        for (const LoaderListRow& row : rows)
            cells.push_back(row.cells[static_cast<size_t>(column)]);
        return cells;
    }
    static FirmwareMenu MenuOf(const std::string& listing, unsigned long exitCode = 0)
    {
        CStoreModel model([listing, exitCode](const std::string&) { return ToolAnswer{listing, true, exitCode}; });
        model.SetScope(CStoreModel::Scope::Firmware);
        model.EnumerateStore();
        return ReadFirmwareMenu(model);
    }

    CSimStore store;
    CSimulator simulator{store};
    std::vector<std::string> log;
};

using Texts = std::vector<std::string>;

}  // namespace

TEST_F(BootMenus, TheListShowsBothMenusInOrderWithKindsAndPlacesWithoutGaps)
{
    // Step 1: "/ENUM /V", then the tools menu's entry read on its own.
    CStoreModel model = Model();
    EXPECT_EQ(log, (Texts{"/ENUM /V", std::string("/enum ") + kMemdiag + " /v"}));
    std::vector<LoaderListRow> rows =
        LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "", model.ListsEveryObject());
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(Column(rows, kLoaderDisplayColumn), (Texts{"1", "2", "3", "4", "5", "Tools 1"}));
    EXPECT_EQ(Column(rows, kLoaderKindColumn), (Texts{"Windows", "Windows", "Windows", "Earlier Windows",
                                                      "Boot sector", "Memory tester"}));
    EXPECT_EQ(rows[4].cells[kLoaderIdColumn], kGrub);
    EXPECT_EQ(rows[4].cells[kLoaderDescriptionColumn], "GRUB (Debian)");
    EXPECT_EQ(rows[4].cells[kLoaderDefaultColumn], "FALSE") << "a boot sector can be the default";
    EXPECT_EQ(rows[4].cells[kLoaderDebugColumn], "") << "no kernel debugger in a boot sector";
    EXPECT_EQ(rows[5].cells[kLoaderDescriptionColumn], "Windows Memory Diagnostic");
    EXPECT_EQ(rows[5].menu, EntryMenu::Tools);

    // Step 2: a one-time start pending shows on its row.
    log.clear();
    SimOutput set = simulator.Execute({"/bootsequence", kGrub});
    ASSERT_TRUE(set.err.empty()) << set.err;
    model = Model();
    rows = LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "");
    EXPECT_EQ(rows[4].cells[kLoaderNoteColumn], "Next start only");

    // Step 3: every entry, the ones in no menu marked; firmware entries stay on their own page.
    log.clear();
    model = Model(CStoreModel::Scope::All);
    EXPECT_EQ(log, Texts{"/enum all /v"}) << "one read lists everything";
    rows = LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "", model.ListsEveryObject());
    Texts kinds = Column(rows, kLoaderKindColumn);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "Resume"), 1);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "Firmware"), 0);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "Boot manager"), 0);
    EXPECT_GT(std::count(kinds.begin(), kinds.end(), "Settings"), 5);
    size_t recovery = 0;
    for (const LoaderListRow& row : rows)
        if (row.cells[kLoaderDescriptionColumn] == "Windows Recovery Environment") {
            ++recovery;
            EXPECT_EQ(row.cells[kLoaderNoteColumn], "Not in a menu");
            EXPECT_EQ(row.cells[kLoaderDisplayColumn], "");
        }
    EXPECT_EQ(recovery, 1u);
    EXPECT_EQ(Column(rows, kLoaderDisplayColumn)[5], "Tools 1") << "the menus come first, in their order";
}

TEST_F(BootMenus, TheFirmwareMenuReadsItsOrderDuplicatesAndOneTimeChoice)
{
    // Step 1: the simulator's menu: {bootmgr} first, a duplicate of it last.
    log.clear();
    CStoreModel model = Model(CStoreModel::Scope::Firmware);
    EXPECT_EQ(log, Texts{"/enum firmware /v"});
    FirmwareMenu menu = ReadFirmwareMenu(model);
    ASSERT_TRUE(menu.hasManager);
    ASSERT_EQ(menu.entries.size(), 5u);
    EXPECT_TRUE(menu.entries[0].bootManager);
    EXPECT_EQ(menu.entries[0].identifier, kBootManagerGuid);
    EXPECT_FALSE(CanDeleteFirmwareEntry(menu.entries[0]));
    EXPECT_EQ(menu.entries[1].description, "debian");
    EXPECT_EQ(menu.entries[1].path, "\\EFI\\debian\\shimx64.efi");
    EXPECT_EQ(menu.entries[4].duplicateOf, kBootManagerGuid) << "{bootmgr} is the one kept";
    EXPECT_EQ(FirmwareEntryNote(menu.entries[4]), "Duplicate of #1");
    EXPECT_TRUE(CanDeleteFirmwareEntry(menu.entries[4]));
    EXPECT_EQ(menu.timeout, "2");

    // Step 2: the commands, and what the simulator then lists.
    ToolCommand once = FirmwareOneTimeCommand(menu, kUsb);
    ASSERT_TRUE(once.ok) << once.reason;
    EXPECT_EQ(once.arguments, std::string("/set {fwbootmgr} bootsequence ") + kUsb + " ");
    EXPECT_TRUE(simulator.Execute(SplitArguments(once.arguments)).err.empty());
    ToolCommand remove = RemoveFromFirmwareMenuCommand(menu.entries[4]);
    EXPECT_EQ(remove.arguments, std::string("/set {fwbootmgr} displayorder ") + kCopiedManager + " /remove");
    EXPECT_TRUE(simulator.Execute(SplitArguments(remove.arguments)).err.empty());
    menu = ReadFirmwareMenu(model = Model(CStoreModel::Scope::Firmware));
    EXPECT_EQ(menu.order.size(), 4u);
    ASSERT_EQ(menu.entries.size(), 5u) << "out of the menu, still in the store";
    EXPECT_EQ(menu.entries[4].place, 0);
    EXPECT_EQ(menu.oneTime, kUsb);
    EXPECT_TRUE(menu.entries[2].oneTime);
    EXPECT_EQ(FirmwareEntryNote(menu.entries[2]), "Next start only");
    EXPECT_TRUE(simulator.Execute(SplitArguments(CancelFirmwareOneTimeCommand().arguments)).err.empty());
    EXPECT_TRUE(ReadFirmwareMenu(Model(CStoreModel::Scope::Firmware)).oneTime.empty());
    // Cancelling again: the tool's own refusal, exit code 1.
    SimOutput again = simulator.Execute(SplitArguments(CancelFirmwareOneTimeCommand().arguments));
    EXPECT_NE(again.err.find("Element not found."), std::string::npos) << again.err;

    // Step 3: a new order is the old one rearranged, or nothing is sent.
    Texts moved = menu.order;
    std::rotate(moved.begin(), moved.begin() + 1, moved.end());
    ToolCommand order = FirmwareOrderCommand(menu, moved);
    ASSERT_TRUE(order.ok) << order.reason;
    EXPECT_EQ(order.arguments.rfind("/set {fwbootmgr} displayorder ", 0), 0u);
    EXPECT_FALSE(FirmwareOrderCommand(menu, menu.order).ok) << "nothing moved";
    Texts lost(menu.order.begin() + 1, menu.order.end());
    EXPECT_FALSE(FirmwareOrderCommand(menu, lost).ok) << "an entry would drop out";
    Texts foreign = menu.order;
    foreign.back() = "{00000000-0000-0000-0000-000000000000}";
    EXPECT_FALSE(FirmwareOrderCommand(menu, foreign).ok);

    // Step 4: the same menu from a Portuguese tool: its headings carry the type's digits.
    const ToolLanguage* portuguese = FindToolLanguage("pt-BR");
    ASSERT_NE(portuguese, nullptr);
    std::string translated = TranslateSimOutput(simulator.Execute({"/enum", "firmware", "/v"}).out, *portuguese);
    EXPECT_NE(translated.find("Aplicativo de Firmware (101fffff)\r\n---------------------------------\r\n"),
              std::string::npos);
    EXPECT_EQ(MenuOf(translated).entries.size(), 5u);

    // Step 5: BIOS mode: no firmware menu, no command for it.
    store.biosFirmware = true;
    menu = ReadFirmwareMenu(Model(CStoreModel::Scope::Firmware));
    EXPECT_FALSE(menu.hasManager);
    EXPECT_TRUE(menu.entries.empty());
    ToolCommand none = FirmwareOneTimeCommand(menu, kUsb);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.reason, kBiosModeText);
    std::string listing = simulator.Execute({"/enum", "/v"}).out;
    EXPECT_NE(listing.find("winload.exe"), std::string::npos) << "BIOS loaders run the .exe";
    EXPECT_EQ(listing.find("winload.efi"), std::string::npos);
}

TEST_F(BootMenus, PublishedFirmwareListingsReadWholeInEveryLanguage)
{
    // The Dell menu: a copy of {bootmgr} under the firmware heading, twice.
    FirmwareMenu dell = MenuOf(ReadSample("enum_firmware_en_dell_duplicate_wbm_onboard_nic_usb.txt"));
    ASSERT_TRUE(dell.hasManager);
    EXPECT_EQ(dell.order.size(), 5u);
    ASSERT_EQ(dell.entries.size(), 7u) << "five in the menu, two outside it";
    EXPECT_EQ(dell.entries[0].identifier, "{bootmgr}");
    EXPECT_EQ(dell.entries[4].description, "UEFI: SanDisk");
    EXPECT_EQ(dell.entries[5].identifier, "{5a73f375-0d86-11e6-93e6-204747f1714e}");
    EXPECT_EQ(dell.entries[5].place, 0);
    EXPECT_EQ(dell.entries[6].duplicateOf, "{5a73f375-0d86-11e6-93e6-204747f1714e}");
    EXPECT_EQ(dell.entries[5].duplicateOf, "") << "the first of two alike is kept";
    EXPECT_EQ(FirmwareEntryNote(dell.entries[6]), "Duplicate of {5a73f375-0d86-11e6-93e6-204747f1714e}, not in the menu")
        << "its original is in no menu either: named by its identifier";
    EXPECT_EQ(dell.entries[0].duplicateOf, "") << "{bootmgr} has a device of its own";

    // Portuguese: the copy of the boot manager before {bootmgr} is no boot manager of the store.
    std::string broken = ReadSample("enum_firmware_pt-BR_listing_then_error_exit1_device_unknown.txt");
    CStoreModel model([broken](const std::string&) { return ToolAnswer{broken, true, 1}; });
    model.SetScope(CStoreModel::Scope::Firmware);
    model.EnumerateStore();
    ASSERT_NE(model.GetBootManager(), nullptr);
    EXPECT_EQ(model.GetBootManager()->GetIdentifier(), "{bootmgr}");
    EXPECT_EQ(model.GetListingWords(), Texts{"Foi especificado um dispositivo inexistente."});
    FirmwareMenu portuguese = ReadFirmwareMenu(model);
    ASSERT_TRUE(portuguese.hasManager);
    EXPECT_EQ(portuguese.entries.size(), 6u);
    EXPECT_EQ(portuguese.entries[1].description, "UEFI:  USB, Partition 1") << "two blanks kept";
    EXPECT_EQ(portuguese.entries.back().identifier, "{8a1c6901-a179-11f1-be2c-cbfb5c43df57}");
    EXPECT_EQ(portuguese.entries.back().device, "unknown");

    // The other published menus: every application read, in the menu's order.
    const std::pair<const char*, size_t> others[] = {{"enum_firmware_en_hp_8apps_grub_as_bootmgr_path.txt", 9},
                                                     {"enum_firmware_en_10apps_http_pxe_manjaro_uefi_os.txt", 11},
                                                     {"enum_firmware_pt-BR_same_store_as_en-US_sample.txt", 2}};
    for (const auto& [name, sections] : others) {
        FirmwareMenu menu = MenuOf(ReadSample(name));
        EXPECT_TRUE(menu.hasManager) << name;
        EXPECT_EQ(menu.entries.size(), sections) << name;
        for (size_t i = 0; i < menu.entries.size(); ++i)
            if (menu.entries[i].place > 0)
                EXPECT_EQ(menu.entries[i].place, static_cast<int>(i) + 1) << name;
    }

    // The recovery console's listing: a pending one-time start in the boot manager.
    std::string winre = ReadSample("enum_en_winre_bootmgr_guid_pending_bootsequence_memdiag.txt");
    CStoreModel recovery([winre](const std::string&) { return winre; });
    recovery.EnumerateStore();
    std::vector<LoaderListRow> rows = LoaderListRows(recovery.GetBootManager(), recovery.GetListedObjects(), "");
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_NE(recovery.GetBootManager()->FindItem("bootsequence"), nullptr);
    EXPECT_EQ(recovery.GetBootManager()->FindItem("bootsequence")->GetValue(0), kMemdiag);
}

TEST_F(BootMenus, TheSimulatorMovesEntriesInMenusAndCopiesTheBootManagerIntoTheFirmwaresMenu)
{
    auto order = [this](const char* owner, const char* name) {
        std::string error;
        const SimElement* element = simulator.Resolve(owner, error)->Find(name);
        return element ? element->values : Texts{};
    };
    // /displayorder with each switch.
    EXPECT_TRUE(simulator.Execute({"/displayorder", kGrub, "/addfirst"}).err.empty());
    EXPECT_EQ(order("{bootmgr}", "displayorder").front(), kGrub);
    EXPECT_TRUE(simulator.Execute({"/displayorder", kGrub, "/addlast"}).err.empty());
    EXPECT_EQ(order("{bootmgr}", "displayorder").back(), kGrub);
    EXPECT_TRUE(simulator.Execute({"/displayorder", kGrub, "/remove"}).err.empty());
    EXPECT_EQ(order("{bootmgr}", "displayorder").size(), 4u);
    EXPECT_FALSE(simulator.Execute({"/displayorder", kGrub, "/sideways"}).err.empty());
    EXPECT_FALSE(simulator.Execute({"/displayorder", "{nonsense}"}).err.empty());
    // The same switches on the firmware's menu.
    EXPECT_TRUE(simulator.Execute({"/set", "{fwbootmgr}", "displayorder", kShim, "/addfirst"}).err.empty());
    EXPECT_EQ(order("{fwbootmgr}", "displayorder").front(), kShim);
    // "/bootsequence" sets the boot manager's one-time choice.
    EXPECT_TRUE(simulator.Execute({"/bootsequence", kMemdiag}).err.empty());
    EXPECT_EQ(order("{bootmgr}", "bootsequence"), Texts{kMemdiag});
    std::string listing = simulator.Execute({"/enum", "{bootmgr}"}).out;
    size_t next = listing.find("bootsequence");
    EXPECT_TRUE(next > listing.find("displayorder") && next < listing.find("timeout")) << listing;
    // "/copy {bootmgr}": the copy joins the firmware's menu, and goes without /f.
    SimOutput copied = simulator.Execute({"/copy", "{bootmgr}", "/d", "Second manager"});
    ASSERT_TRUE(copied.err.empty()) << copied.err;
    std::string guid = copied.out.substr(copied.out.find('{'), 38);
    EXPECT_EQ(order("{fwbootmgr}", "displayorder").back(), guid);
    EXPECT_NE(simulator.Execute({"/enum", "firmware"}).out.find("Second manager"), std::string::npos);
    EXPECT_TRUE(simulator.Execute({"/delete", guid}).err.empty());
    EXPECT_FALSE(simulator.Execute({"/delete", "{bootmgr}"}).err.empty()) << "a well-known entry needs /f";
    // "@deviceerror": the whole listing, then the error line and exit code 1.
    store.deviceError = true;
    SimOutput broken = simulator.Execute({"/enum", "/v"});
    EXPECT_NE(broken.out.find("Windows 11 (test signing)"), std::string::npos);
    EXPECT_EQ(broken.err, "A device which does not exist was specified.\r\n");
}
