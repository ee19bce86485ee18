#include <benchmark/benchmark.h>

#include "catalogue/ElementCatalogue.h"
#include "common/UserNotice.h"
#include "exec/SplitToolOutput.h"
#include "model/CStoreModel.h"
#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimStoreFile.h"

namespace {

// "/ENUM /V" output of a store with `loaders` boot loader entries, printed
// by the simulator from copies of the sample store's loaders.
std::string EnumerationWithLoaders(int loaders)
{
    CSimStore store;
    std::string error;
    store.Parse(kSampleStoreText, error);
    std::vector<SimObject> templates;
    for (const SimObject& object : store.objects)
        if (object.kind == "osloader" || object.kind == "legacy")
            templates.push_back(object);
    std::vector<std::string> order;
    for (int i = 0; i < loaders; ++i) {
        SimObject copy = templates[static_cast<size_t>(i) % templates.size()];
        char guid[40];
        std::snprintf(guid, sizeof guid, "{%08x-0000-4000-8000-000000000000}", i);
        copy.guid = guid;
        copy.alias.clear();
        order.push_back(guid);
        store.objects.push_back(copy);
    }
    store.FindByAlias("{bootmgr}")->Find("displayorder")->values = order;
    CSimulator simulator(store);
    return simulator.Execute({"/ENUM", "/V"}).out;
}

bool LoadCatalogueOnce()
{
    static bool loaded = [] {
        SetNoticeSink([](const std::string&, NoticeKind) {});
        return LoadElementCatalogue(KEYSTAVE_SOURCE_DIR "/data/keystavedata.xml");
    }();
    return loaded;
}

void BM_EnumerateStore(benchmark::State& state)
{
    if (!LoadCatalogueOnce()) {
        state.SkipWithError("definitions file not found");
        return;
    }
    const std::string text = EnumerationWithLoaders(static_cast<int>(state.range(0)));
    CStoreModel model([&](const std::string&) { return text; });
    for (auto _ : state) {
        model.EnumerateStore();
        benchmark::DoNotOptimize(model.GetLoaders().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["loaders"] = static_cast<double>(model.GetLoaders().size());
}

void BM_SplitOnly(benchmark::State& state)
{
    const std::string text = EnumerationWithLoaders(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::string> lines = SplitToolOutput(text);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

}  // namespace

BENCHMARK(BM_EnumerateStore)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplitOnly)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
