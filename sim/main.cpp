// BCDEDIT.EXE stand-in: answers the program's command lines from a text store.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sim/SimCommandLine.h"
#include "sim/SimStoreFile.h"

namespace {

std::string StorePathBesideExecutable()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
    return folder + "\\bcdstore.txt";
}

void WriteAll(FILE* stream, const std::string& text)
{
    fwrite(text.data(), 1, text.size(), stream);
    fflush(stream);
}

}  // namespace

int main(int argc, char** argv)
{
    // Text mode would turn our CR LF into CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);

    // Tests read which commands a window sent, before anything is done.
    const char* log = std::getenv("KEYSTAVE_SIM_LOG");
    if (log && *log)
        AppendCommandLog(log, ArgumentString(GetCommandLineA()));

    std::string storePath;
    const char* configured = std::getenv("KEYSTAVE_SIM_STORE");
    if (configured && *configured) {
        storePath = configured;
    } else {
        storePath = StorePathBesideExecutable();
        std::string existing;
        if (!ReadWholeFile(storePath, existing))
            WriteStoreAtomically(storePath, kSampleStoreText);
    }
    const char* denied = std::getenv("KEYSTAVE_SIM_ACCESS_DENIED");
    bool accessDenied = denied && *denied && std::string(denied) != "0";

    std::vector<std::string> args(argv + 1, argv + argc);
    SimRunResult result = RunSimulatorOnFile(args, storePath, accessDenied);
    WriteAll(stdout, result.out);
    WriteAll(stderr, result.err);
    return result.err.empty() ? 0 : 1;
}
