#include <benchmark/benchmark.h>

#include "bench/BenchText.h"
#include "exec/SplitToolOutput.h"

static void BM_SplitToolOutput(benchmark::State& state)
{
    const std::string text = RepeatedEnumeration(static_cast<size_t>(state.range(0)) << 20);
    for (auto _ : state) {
        std::vector<std::string> lines = SplitToolOutput(text);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SplitToolOutput)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
