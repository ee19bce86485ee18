#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "bench/CountedHeap.h"
#include "catalogue/ElementCatalogue.h"
#include "common/UserNotice.h"
#include "exec/CSession.h"
#include "exec/SplitToolOutput.h"
#include "model/CStoreModel.h"
#include "model/DisplayPositions.h"
#include "model/GridCellPlan.h"
#include "model/LoaderListRows.h"
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

// The least any reading of the text costs: finding its line ends.
void BM_CountLines(benchmark::State& state)
{
    const std::string text = EnumerationWithLoaders(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        size_t lines = 0;
        for (const char* at = text.data(), *end = text.data() + text.size();
             (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at)))) != nullptr; ++at)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

// The loader list's display positions: each loader's place looked up in the
// whole display order, as the list was filled before, and one table made
// once per fill.
// A model read from an enumeration with `loaders` entries; false when the
// definitions are missing.
bool ReadModel(benchmark::State& state, std::string& text, std::unique_ptr<CStoreModel>& model)
{
    if (!LoadCatalogueOnce()) {
        state.SkipWithError("definitions file not found");
        return false;
    }
    text = EnumerationWithLoaders(static_cast<int>(state.range(0)));
    model = std::make_unique<CStoreModel>([&text](const std::string&) { return text; });
    model->EnumerateStore();
    return true;
}

void BM_DisplayPositionEach(benchmark::State& state)
{
    std::string text;
    std::unique_ptr<CStoreModel> read;
    if (!ReadModel(state, text, read))
        return;
    const CStoreModel& model = *read;
    for (auto _ : state) {
        long sum = 0;
        for (const auto& loader : model.GetLoaders())
            sum += loader->GetDisplayOrderPosition(model.GetBootManager());
        benchmark::DoNotOptimize(sum);
    }
}

void BM_DisplayPositions(benchmark::State& state)
{
    std::string text;
    std::unique_ptr<CStoreModel> read;
    if (!ReadModel(state, text, read))
        return;
    const CStoreModel& model = *read;
    for (auto _ : state) {
        CDisplayPositions positions(model.GetBootManager());
        long sum = 0;
        for (const auto& loader : model.GetLoaders())
            sum += positions.Of(loader->GetIdentifier());
        benchmark::DoNotOptimize(sum);
    }
}

}  // namespace

// What the window's model holds once filled, as a multiple of the listing's
// size, and what each later read adds to the session (its history entry):
// the program reads the store again after every change.
void HeldMemory(benchmark::State& state, const std::string& text)
{
    long long before = g_heldBytes.load();
    CSession session([&text](const std::string&) {
        ToolAnswer answer;
        answer.started = true;
        answer.exitCode = 0;
        answer.text = text;
        return answer;
    },
                     [] { return LocalTime{}; });
    CStoreModel model(RunThrough(session));
    model.EnumerateStore();
    std::vector<LoaderListRow> rows = LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "");
    std::vector<GridRowPlan> grid = PlanPropertyGrid(model.GetBootManager(), false);
    long long filled = g_heldBytes.load() - before;
    const int rereads = 5;
    for (int k = 0; k < rereads; ++k) {
        model.EnumerateStore();
        rows = LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "");
        grid = PlanPropertyGrid(model.GetBootManager(), false);
    }
    long long grown = g_heldBytes.load() - before - filled;
    state.counters["held_x_listing"] = static_cast<double>(filled) / static_cast<double>(text.size());
    state.counters["bytes_a_reread"] = static_cast<double>(grown) / rereads;
}

// Filling the main window from the tool's answer: the listing read into the
// model, the entry list's rows worked out, the boot manager's grid planned
// and the running entry marked. The list itself asks only for the rows it
// draws, so this is the work that grows with the store.
void BM_FillMainWindow(benchmark::State& state)
{
    std::string text;
    std::unique_ptr<CStoreModel> model;
    if (!ReadModel(state, text, model))
        return;
    size_t entries = 0;
    for (auto _ : state) {
        model->EnumerateStore();
        std::vector<LoaderListRow> rows = LoaderListRows(model->GetBootManager(), model->GetListedObjects(), "");
        std::vector<GridRowPlan> grid = PlanPropertyGrid(model->GetBootManager(), false);
        MarkLoaderListRows(rows, model->GetBootManager(), rows.empty() ? "" : rows.back().cells[kLoaderIdColumn]);
        entries = rows.size();
        benchmark::DoNotOptimize(grid.data());
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
    HeldMemory(state, text);
    // Time an entry: the total divided by the entries.
    state.counters["per_entry"] = benchmark::Counter(static_cast<double>(entries),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

BENCHMARK(BM_EnumerateStore)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplitOnly)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountLines)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DisplayPositionEach)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DisplayPositions)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_FillMainWindow)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
