#include "sim/SimStoreFile.h"

#include <cstdio>

#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimMessages.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool ReplaceFile(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

bool WriteStoreAtomically(const std::string& path, const std::string& text)
{
    std::string temp = path + ".tmp";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && ReplaceFile(temp, path))
        return true;
    std::remove(temp.c_str());
    return false;
}

SimRunResult RunSimulatorOnFile(const std::vector<std::string>& args,
                                const std::string& storePath, bool accessDenied)
{
    SimRunResult result;
    std::string text;
    if (!ReadWholeFile(storePath, text)) {
        result.err = kStoreMissing;
        return result;
    }
    CSimStore store;
    std::string parseError;
    if (!store.Parse(text, parseError)) {
        result.err = kStoreCorrupt;
        return result;
    }
    result.language = store.language;
    if (accessDenied || store.accessDenied) {
        result.err = kStoreDenied;
        return result;
    }
    CSimulator simulator(store);
    SimOutput output = simulator.Execute(args);
    if (output.changed && !WriteStoreAtomically(storePath, store.Serialize())) {
        result.err = kStoreWriteFailed;
        return result;
    }
    result.out = output.out;
    result.err = output.err;
    return result;
}
