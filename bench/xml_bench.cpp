// The XML reader side by side with pugixml and tinyxml2 (when they are
// installed) on the same in-memory documents: definitions-like text of 1 and
// 10 MB, the shipped definitions file, and 1 MB nested 2 to 250 deep.
// "Warm" runs reuse heap pages that earlier rounds faulted in; "cold" runs
// hand freed pages back to the system after every round, so each parse
// faults its pages afresh. Peak memory is counted in a round of its own.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "bench/CountedHeap.h"
#include "xml/CXmlDocument.h"

#ifdef KEYSTAVE_HAVE_PUGIXML
#include <pugixml.hpp>
#endif
#ifdef KEYSTAVE_HAVE_TINYXML2
#include <tinyxml2.h>
#endif


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

// About `bytes` bytes of elements nested `depth` deep, each innermost one
// holding a short text.
std::string NestedDocument(size_t bytes, int depth)
{
    std::string open, close;
    for (int level = 0; level < depth; ++level) {
        open += "<n" + std::to_string(level % 10) + ">";
        close = "</n" + std::to_string(level % 10) + ">" + close;
    }
    std::string text = "<?xml version=\"1.0\"?>\n<root>\n";
    while (text.size() < bytes)
        text += open + "<v a=\"1\">text</v>" + close + "\n";
    return text + "</root>\n";
}

const std::string& Definitions()
{
    static const std::string definitions = [] {
        std::ifstream file(KEYSTAVE_SOURCE_DIR "/data/keystavedata.xml", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }();
    return definitions;
}

// The shipped definitions' own elements, comments and texts, repeated
// inside one root to about `bytes` bytes.
std::string RepeatedDefinitions(size_t bytes)
{
    const std::string& file = Definitions();
    size_t open = file.find("<KeystaveData>"), close = file.rfind("</KeystaveData>");
    if (open == std::string::npos || close == std::string::npos)
        return file;
    open += std::string("<KeystaveData>").size();
    std::string body = file.substr(open, close - open);
    std::string text = file.substr(0, open);
    while (text.size() < bytes)
        text += body;
    return text + "</KeystaveData>\n";
}

const std::string& Document(int which)
{
    static const std::string oneMb = GeneratedDocument(1 << 20);
    static const std::string tenMb = GeneratedDocument(10 << 20);
    static const std::string definitionsOneMb = RepeatedDefinitions(1 << 20);
    static const std::string definitionsTenMb = RepeatedDefinitions(10 << 20);
    switch (which) {
    case 0: return oneMb;
    case 1: return tenMb;
    case 3: return definitionsOneMb;
    case 4: return definitionsTenMb;
    default: return Definitions();
    }
}

const char* DocumentName(int which)
{
    const char* const names[] = {"1MB", "10MB", "keystavedata.xml", "definitions 1MB", "definitions 10MB"};
    return which >= 0 && which <= 4 ? names[which] : "?";
}

enum Reader { kKeystave, kPugixml, kTinyxml2 };

bool ParseWith(Reader reader, const std::string& text)
{
    switch (reader) {
    case kKeystave: {
        CXmlDocument document;
        document.LoadFromMemory(text);
        return document.GetRootElement() != nullptr;
    }
    case kPugixml: {
#ifdef KEYSTAVE_HAVE_PUGIXML
        pugi::xml_document document;
        return document.load_buffer(text.data(), text.size());
#else
        return false;
#endif
    }
    case kTinyxml2: {
#ifdef KEYSTAVE_HAVE_TINYXML2
        tinyxml2::XMLDocument document;
        return document.Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS;
#else
        return false;
#endif
    }
    }
    return false;
}

bool Available(Reader reader)
{
#ifndef KEYSTAVE_HAVE_PUGIXML
    if (reader == kPugixml)
        return false;
#endif
#ifndef KEYSTAVE_HAVE_TINYXML2
    if (reader == kTinyxml2)
        return false;
#endif
    return reader == kKeystave || reader == kPugixml || reader == kTinyxml2;
}

// The most heap one parse holds beyond what was held before it, per byte of text.
double PeakPerByte(Reader reader, const std::string& text)
{
    long long before = g_heldBytes.load();
    g_peakBytes = before;
    ParseWith(reader, text);
    return static_cast<double>(g_peakBytes.load() - before) / static_cast<double>(text.size());
}

void Run(benchmark::State& state, Reader reader, const std::string& text, bool cold)
{
    if (!Available(reader)) {
        state.SkipWithError("library not installed");
        return;
    }
#ifdef KEYSTAVE_HAVE_PUGIXML
    pugi::set_memory_management_functions(CountedAllocate, CountedFree);
#endif
    // Warm: freed memory stays with the process. Cold: it goes back.
    mallopt(M_MMAP_THRESHOLD, cold ? 64 * 1024 : 512 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, cold ? 0 : 1024 * 1024 * 1024);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseWith(reader, text));
        if (cold) {
            state.PauseTiming();
            malloc_trim(0);
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["peak_x_size"] = PeakPerByte(reader, text);
}

void BM_Keystave(benchmark::State& state)
{
    state.SetLabel(DocumentName(static_cast<int>(state.range(0))));
    Run(state, kKeystave, Document(static_cast<int>(state.range(0))), state.range(1) != 0);
}
void BM_Pugixml(benchmark::State& state)
{
    state.SetLabel(DocumentName(static_cast<int>(state.range(0))));
    Run(state, kPugixml, Document(static_cast<int>(state.range(0))), state.range(1) != 0);
}
void BM_Tinyxml2(benchmark::State& state)
{
    state.SetLabel(DocumentName(static_cast<int>(state.range(0))));
    Run(state, kTinyxml2, Document(static_cast<int>(state.range(0))), state.range(1) != 0);
}

void BM_KeystaveNested(benchmark::State& state)
{
    static std::string texts[251];
    int depth = static_cast<int>(state.range(0));
    if (texts[depth].empty())
        texts[depth] = NestedDocument(1 << 20, depth);
    state.SetLabel("depth " + std::to_string(depth));
    Run(state, kKeystave, texts[depth], false);
}

// Arguments: document (0: 1 MB, 1: 10 MB, 2: the definitions file, 3 and 4:
// the definitions' elements repeated to 1 and 10 MB), cold (0 or 1).
void Documents(benchmark::internal::Benchmark* bench)
{
    for (int cold = 0; cold <= 1; ++cold)
        for (int which = 0; which <= 4; ++which)
            bench->Args({which, cold});
    bench->ArgNames({"doc", "cold"});
}

}  // namespace

BENCHMARK(BM_Keystave)->Apply(Documents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pugixml)->Apply(Documents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tinyxml2)->Apply(Documents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystaveNested)->Arg(2)->Arg(10)->Arg(50)->Arg(250)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
