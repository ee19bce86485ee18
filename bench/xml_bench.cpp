#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "xml/CXmlDocument.h"

namespace {

// A definitions-shaped document of about `bytes` bytes.
std::string GeneratedDocument(size_t bytes)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<KeystaveData>\n";
    for (int i = 0; text.size() < bytes; ++i) {
        text += "  <Element kind=\"generated\">\n    <IdentifierName>element" + std::to_string(i) +
                "</IdentifierName>\n    <MultiValues>false</MultiValues>\n"
                "    <Type>BCD_TYPE_STRING</Type>\n    <!-- a comment &amp; a reference -->\n"
                "    <Manager>true</Manager>\n    <Loader>true</Loader>\n"
                "    <Debugger>false</Debugger>\n    <Modifiable>true</Modifiable>\n  </Element>\n";
    }
    return text + "</KeystaveData>\n";
}

void ParseText(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        CXmlDocument document;
        document.LoadFromMemory(text);
        benchmark::DoNotOptimize(document.GetRootElement());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

void BM_XmlGenerated(benchmark::State& state)
{
    ParseText(state, GeneratedDocument(static_cast<size_t>(state.range(0)) << 20));
}

void BM_XmlDefinitionsFile(benchmark::State& state)
{
    std::ifstream file(KEYSTAVE_SOURCE_DIR "/data/keystavedata.xml", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    ParseText(state, text.str());
}

}  // namespace

BENCHMARK(BM_XmlGenerated)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlDefinitionsFile)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
