// Arbitrary text as "/ENUM /V", "/DBGSETTINGS" and "/enum <id>" output
// through the parsers and the object reload.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/ElementCatalogue.h"
#include "catalogue/GridCellPlan.h"
#include "common/UserNotice.h"
#include "model/CStoreModel.h"
#include "model/ReloadObject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        SetNoticeSink([](const std::string&, NoticeKind) {});
        return LoadElementCatalogue(KEYSTAVE_SOURCE_DIR "/data/keystavedata.xml");
    }();
    if (!ready)
        __builtin_trap();
    std::string text(reinterpret_cast<const char*>(data), size);
    CStoreModel model([&](const std::string&) { return text; });
    model.EnumerateStore();
    model.RefreshDebugSettings();
    PlanPropertyGrid(model.GetBootManager(), true);
    for (const auto& loader : model.GetLoaders()) {
        PlanPropertyGrid(loader.get(), false);
        loader->GetDisplayOrderPosition(model.GetBootManager());
    }
    PlanPropertyGrid(model.GetDebugSettings(), false);
    ToolRun same = [&](const std::string&) { return text; };
    for (const auto& loader : model.GetLoaders())
        if (ReloadObject(*loader, same, nullptr))
            PlanPropertyGrid(loader.get(), true);
    if (CBcdBootManager* manager = model.GetBootManager())
        ReloadObject(*manager, same, nullptr);
    return 0;
}
