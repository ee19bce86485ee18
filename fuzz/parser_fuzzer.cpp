// Arbitrary text as "/ENUM /V", "/DBGSETTINGS" and "/enum <id>" output
// through the parsers and the object reload; the first byte says whether
// the tool exited with success, so that failed listings (their trailing
// words cut off) are read too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/ElementCatalogue.h"
#include "model/GridCellPlan.h"
#include "common/UserNotice.h"
#include "model/CStoreModel.h"
#include "model/ReloadObject.h"
#include "model/FirmwareMenu.h"
#include "model/LoaderListRows.h"

// What the copies held: read, so that no read is left out.
volatile size_t g_bytesRead = 0;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        SetNoticeSink([](const std::string&, NoticeKind) {});
        return LoadElementCatalogue(KEYSTAVE_SOURCE_DIR "/data/keystavedata.xml");
    }();
    if (!ready)
        __builtin_trap();
    std::string text(reinterpret_cast<const char*>(data), size);
    const unsigned long exitCode = size > 0 && (data[0] & 1) ? 1 : 0;
    CStoreModel model([&](const std::string&) { return ToolAnswer{text, true, exitCode}; });
    model.EnumerateStore();
    for (const std::string& word : model.GetListingWords())
        g_bytesRead = g_bytesRead + word.size();
    model.RefreshDebugSettings();
    PlanPropertyGrid(model.GetBootManager(), true);
    for (const auto& loader : model.GetLoaders()) {
        PlanPropertyGrid(loader.get(), false);
        loader->GetDisplayOrderPosition(model.GetBootManager());
    }
    PlanPropertyGrid(model.GetDebugSettings(), false);
    // The boot menus as the list shows them, every object of the listing
    // reloaded by its own kind, and the same text as the firmware's menu.
    std::vector<LoaderListRow> rows =
        LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "{current}", true);
    FindLoaderListRow(rows, "{", 0);
    for (const auto& entry : model.GetOtherEntries())
        ReloadObject(*entry, [&](const std::string&) { return text; }, nullptr);
    CStoreModel firmware([&](const std::string&) { return ToolAnswer{text, true, exitCode}; });
    firmware.SetScope(CStoreModel::Scope::Firmware);
    firmware.EnumerateStore();
    FirmwareMenu menu = ReadFirmwareMenu(firmware);
    for (const FirmwareMenuEntry& entry : menu.entries)
        g_bytesRead = g_bytesRead + FirmwareEntryNote(entry).size();
    std::vector<std::string> reversed(menu.order.rbegin(), menu.order.rend());
    FirmwareOrderCommand(menu, reversed);
    ToolRun same = [&](const std::string&) { return text; };
    for (const auto& loader : model.GetLoaders())
        if (ReloadObject(*loader, same, nullptr))
            PlanPropertyGrid(loader.get(), true);
    if (CBcdBootManager* manager = model.GetBootManager())
        ReloadObject(*manager, same, nullptr);

    // Copies of the items outlive the model and every listing it read.
    std::vector<CBcdItem> copies;
    for (const auto& loader : model.GetLoaders())
        copies.insert(copies.end(), loader->GetItems().begin(), loader->GetItems().end());
    model = CStoreModel(same);
    text.assign(text.size(), '\0');
    size_t bytes = 0;
    for (const CBcdItem& item : copies) {
        bytes += item.GetName().size();
        for (const std::string& value : item.GetValues())
            bytes += value.size();
        bytes += item.GetValueList().size();
    }
    g_bytesRead = bytes;
    return 0;
}
