#include "tests/wine/WineTestSupport.h"

#include <cstdio>

#include "sim/SimStoreFile.h"

std::string TestProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string MakeTempFolder(const char* prefix)
{
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    std::string folder = std::string(base) + prefix + std::to_string(::GetCurrentProcessId()) +
                         "-" + std::to_string(++counter);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void UseFreshSampleStore(const std::string& path)
{
    WriteStoreAtomically(path, kSampleStoreText);
    ::SetEnvironmentVariableA("KEYSTAVE_SIM_STORE", path.c_str());
}

ChildProcess::ChildProcess(const std::string& commandLine)
{
    std::string buffer = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr,
                          TestProgramFolder().c_str(), &startup, &m_info))
        m_info = PROCESS_INFORMATION{};
}

ChildProcess::~ChildProcess()
{
    if (!m_info.hProcess)
        return;
    if (!WaitForExit(0))
        Kill();
    ::CloseHandle(m_info.hProcess);
    ::CloseHandle(m_info.hThread);
}

bool ChildProcess::WaitForExit(DWORD milliseconds)
{
    if (!m_info.hProcess)
        return false;
    // Windows of the test thread must go on answering while we wait, or
    // another process activating a window would block on them.
    DWORD start = ::GetTickCount();
    for (;;) {
        DWORD elapsed = ::GetTickCount() - start;
        DWORD left = elapsed >= milliseconds ? 0 : milliseconds - elapsed;
        DWORD woke = ::MsgWaitForMultipleObjects(1, &m_info.hProcess, FALSE, left, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
        PumpMessages();
    }
}

void PumpMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void ChildProcess::Kill()
{
    ::TerminateProcess(m_info.hProcess, 1);
    ::WaitForSingleObject(m_info.hProcess, 5000);
}

namespace {

struct CaptionSearch {
    std::string caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByCaption(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CaptionSearch*>(param);
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (::IsWindowVisible(window) && search->caption == text)
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsWithCaption(const std::string& caption)
{
    CaptionSearch search{caption, {}};
    ::EnumWindows(CollectByCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD WindowProcess(HWND window)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD milliseconds)
{
    DWORD start = ::GetTickCount();
    do {
        for (HWND window : WindowsWithCaption(caption))
            if (WindowProcess(window) == processId)
                return window;
        PumpMessages();
        ::Sleep(50);
    } while (::GetTickCount() - start < milliseconds);
    return nullptr;
}
