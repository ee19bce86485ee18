// Arbitrary store files and command lines through the BCDEDIT.EXE simulator:
// the first line is the command line (split as the C runtime splits it), the
// rest the store.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimCommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t newline = input.find('\n');
    std::string command = input.substr(0, newline);
    std::string storeText = newline == std::string::npos ? std::string() : input.substr(newline + 1);
    std::vector<std::string> args = SplitArguments(command);

    CSimStore store;
    std::string error;
    if (!store.Parse(storeText, error))
        return 0;
    CSimulator simulator(store);
    simulator.SetGuidSource([] { return std::string("{00000000-0000-0000-0000-000000000001}"); });
    // "/export" and "/import" touch no disk here: one file, kept in memory,
    // that an import reads back as the export wrote it.
    std::string file = storeText;
    simulator.SetFiles({[&file](const std::string&, const std::string& text) {
                            file = text;
                            return true;
                        },
                        [&file](const std::string&, std::string& text) {
                            text = file;
                            return true;
                        }});
    SimOutput output = simulator.Execute(args);
    if (output.changed) {
        // What the simulator writes back must read back the same.
        std::string written = store.Serialize();
        CSimStore again;
        if (!again.Parse(written, error) || again.Serialize() != written)
            __builtin_trap();
    }
    return 0;
}
