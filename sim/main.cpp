// BCDEDIT.EXE stand-in: answers the program's command lines from a text store.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <shellapi.h>

#include "common/ToolTexts.h"
#include "sim/CSimStore.h"
#include "sim/SimCommandLine.h"
#include "sim/SimStoreFile.h"
#include "sim/SimTranslation.h"

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

// As the system converts for a console program: a letter the code page has
// no form for becomes its best fit, or '?'.
std::string Convert(const std::string& text, UINT from, UINT to)
{
    if (text.empty())
        return text;
    int wide = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring buffer(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), &buffer[0], wide);
    int narrow = WideCharToMultiByte(to, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(to, 0, buffer.data(), wide, &out[0], narrow, nullptr, nullptr);
    return out;
}

// The arguments as the system passes them, in UTF-8 as the store keeps text.
std::vector<std::string> Arguments()
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) {
        int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
        if (size > 1)
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, &arg[0], size, nullptr, nullptr);
        args.push_back(arg);
    }
    LocalFree(wide);
    return args;
}

// Like the real tool, whose texts are Unicode, the answer is in the
// system's OEM code page, whatever the display language: a Polish or
// Japanese language pack on a PC with US code pages prints what it can.
std::string AsConsoleText(const std::string& utf8, const ToolLanguage& language)
{
    std::string text = language.name == std::string("en-US") ? utf8 : TranslateSimOutput(utf8, language);
    return Convert(text, CP_UTF8, GetOEMCP());
}

// The number of this run among those counted in `path`.
int NextRunNumber(const std::string& path)
{
    std::string text;
    int runs = ReadWholeFile(path, text) ? std::atoi(text.c_str()) : 0;
    WriteStoreAtomically(path, std::to_string(runs + 1));
    return runs + 1;
}

// A slow or hung tool, as the store's settings ask: before the command does
// anything, so that a hung change is one not made.
void TakeTime(const std::string& storePath)
{
    std::string text, error;
    CSimStore store;
    if (!ReadWholeFile(storePath, text))
        return;
    // The settings are all in the store's own section: a large store's
    // objects are parsed once, by the command itself.
    size_t objects = text.find("\n[{");
    if (!store.Parse(objects == std::string::npos ? text : text.substr(0, objects + 1), error))
        return;
    if (store.delayMilliseconds > 0)
        Sleep(static_cast<DWORD>(store.delayMilliseconds));
    bool hang = store.hang;
    if (store.hangAfter >= 0)
        hang = NextRunNumber(storePath + ".runs") > store.hangAfter || hang;
    while (hang)
        Sleep(INFINITE);
}

void WriteAll(FILE* stream, const std::string& text)
{
    fwrite(text.data(), 1, text.size(), stream);
    fflush(stream);
}

}  // namespace

int main()
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

    // Not the tool's: a large store for measurements, in place of this one.
    std::vector<std::string> args = Arguments();
    if (args.size() == 2 && args[0] == "/simgenerate") {
        std::string text = GeneratedStoreText(std::atoi(args[1].c_str()));
        if (text.empty() || !WriteStoreAtomically(storePath, text)) {
            WriteAll(stderr, "The store could not be generated.\r\n");
            return 1;
        }
        WriteAll(stdout, "The store now holds " + args[1] + " more Windows entries.\r\n");
        return 0;
    }
    TakeTime(storePath);
    SimRunResult result = RunSimulatorCommand(args, storePath, accessDenied);
    const char* chosen = std::getenv("KEYSTAVE_SIM_LANG");
    const ToolLanguage* language =
        FindToolLanguage(chosen && *chosen ? chosen : result.language.empty() ? "en-US" : result.language);
    if (!language)
        language = FindToolLanguage("en-US");
    WriteAll(stdout, AsConsoleText(result.out, *language));
    WriteAll(stderr, AsConsoleText(result.err, *language));
    return result.err.empty() && !result.failed ? 0 : 1;
}
