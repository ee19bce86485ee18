// Start-up time of keystave.exe against a bare window program plus the
// simulator runs it needs, measured in one run: startbench.exe [RUNS] [DELAY]
// With DELAY (milliseconds), every simulator command takes that long, and
// the peer is the bare window plus one such run: reads made at the same
// time cost about one. With ENTRIES, the store is first made the sample plus
// that many Windows entries, and the time above the peer is the program's
// own work for them: reading the listing and filling the list.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "winexec/ToolRunner.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Found {
    DWORD process;
    const char* caption;
    HWND window;
};

BOOL CALLBACK Match(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<Found*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char text[128] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (process == found->process && ::IsWindowVisible(window) && std::string(text) == found->caption) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from start until `ready` holds for the process's window.
template <typename Ready>
double TimeStart(const char* commandLine, const char* caption, Ready ready)
{
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    double start = Now();
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine, ::GetLastError());
        return -1;
    }
    double elapsed = -1;
    while (Now() - start < 30000) {
        Found found{info.dwProcessId, caption, nullptr};
        ::EnumWindows(Match, reinterpret_cast<LPARAM>(&found));
        if (found.window && ready(found.window)) {
            elapsed = Now() - start;
            ::PostMessageA(found.window, WM_CLOSE, 0, 0);
            ::PostMessageA(found.window, WM_COMMAND, IDOK, 0);
            break;
        }
        ::Sleep(1);
    }
    if (elapsed < 0)
        std::fprintf(stderr, "%s: no ready window within 30 s\n", commandLine);
    if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(info.hProcess, 1);
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The store KEYSTAVE_SIM_STORE names, copied with every command taking
// `delay` ms, for the children to use.
bool UseSlowStore(int delay)
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableA("KEYSTAVE_SIM_STORE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    std::string text;
    if (FILE* file = std::fopen(path, "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, n);
        std::fclose(file);
    }
    size_t at = text.find("[store]\n");
    if (at == std::string::npos)
        return false;
    text.insert(at + 8, "@delay = " + std::to_string(delay) + "\n");
    std::string slow = std::string(path) + ".slow";
    FILE* file = std::fopen(slow.c_str(), "wb");
    if (!file)
        return false;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return ::SetEnvironmentVariableA("KEYSTAVE_SIM_STORE", slow.c_str()) != FALSE;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    int delay = argc > 2 ? std::max(0, std::atoi(argv[2])) : 0;
    int entries = argc > 3 ? std::max(0, std::atoi(argv[3])) : 0;
    if (entries > 0 && !AnswerSucceeded(RunTool("BCDEDIT.EXE", "/simgenerate " + std::to_string(entries)))) {
        std::fprintf(stderr, "the simulator could not generate %d entries\n", entries);
        return 1;
    }
    if (delay > 0 && !UseSlowStore(delay)) {
        std::fprintf(stderr, "KEYSTAVE_SIM_STORE must name a store to slow down\n");
        return 1;
    }
    std::vector<double> program, baseline;
    for (int i = 0; i < runs; ++i) {
        // Filled: the entries, the boot manager's elements and the debugger settings.
        program.push_back(TimeStart("keystave.exe", "Keystave - Boot Configuration Data Editor",
                                    [entries](HWND window) {
                                        return ListView_GetItemCount(::GetDlgItem(window, IDC_LOADER_LIST)) > entries &&
                                               ListView_GetItemCount(::GetDlgItem(window, IDC_BOOTMGR_GRID)) > 0 &&
                                               ListView_GetItemCount(::GetDlgItem(window, IDC_DEBUGGER_GRID)) > 0;
                                    }));
        double window = TimeStart("toolprobe.exe window 30", "toolprobe window",
                                  [](HWND) { return true; });
        double start = Now();
        ToolRunner("BCDEDIT.EXE", "/ENUM /V");
        if (delay == 0)
            ToolRunner("BCDEDIT.EXE", "/DBGSETTINGS");
        baseline.push_back(window + (Now() - start));
    }
    double p = Median(program), b = Median(baseline);
    std::printf("runs %d, every command %d ms\n", runs, delay);
    std::printf("keystave.exe until its window is filled:      median %.0f ms\n", p);
    std::printf(delay > 0 ? "bare window program + one simulator run:      median %.0f ms\n"
                          : "bare window program + two simulator runs:     median %.0f ms\n",
                b);
    std::printf("ratio %.2f\n", b > 0 ? p / b : 0.0);
    if (entries > 0)
        std::printf("%d entries: %.0f ms above the peer, %.3f ms an entry\n", entries, p - b,
                    (p - b) / entries);
    return p > 0 && b > 0 ? 0 : 1;
}
