#include "tests/wine/WineTestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/CWinApp.h"
#include "sim/SimStoreFile.h"

std::string TestProgramFolder() { return CWinApp::ProgramFolder(); }

std::string Windows32Folder()
{
    char folder[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableA("KEYSTAVE_WINDOWS32_BIN", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? folder : "";
}

WORD ImageMachine(const std::string& path)
{
    std::string image;
    if (!ReadWholeFile(path, image) || image.size() < 0x40 || image.compare(0, 2, "MZ") != 0)
        return 0;
    DWORD header = 0;
    memcpy(&header, image.data() + 0x3c, sizeof header);
    if (header > image.size() - 6 || image.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return 0;
    WORD machine = 0;
    memcpy(&machine, image.data() + header + 4, sizeof machine);
    return machine;
}

std::string FileVersionOf(const std::string& path)
{
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return "";
    std::string block(size, '\0');
    char* text = nullptr;
    UINT length = 0;
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, &block[0]) ||
        !::VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                          reinterpret_cast<void**>(&text), &length) || !text)
        return "";
    return std::string(text, strnlen(text, length));
}

std::vector<std::string> FolderEntries(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0)
            names.push_back(data.cFileName);
    while (::FindNextFileA(search, &data));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string MakeTempFolder(const char* prefix)
{
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    // Process ids come back in a later run: only a folder made now is fresh.
    for (;;) {
        std::string folder = std::string(base) + prefix + std::to_string(::GetCurrentProcessId()) +
                             "-" + std::to_string(++counter);
        if (::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() != ERROR_ALREADY_EXISTS)
            return folder;
    }
}

void UseFreshSampleStore(const std::string& path)
{
    WriteStoreAtomically(path, kSampleStoreText);
    ::SetEnvironmentVariableA("KEYSTAVE_SIM_STORE", path.c_str());
}

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& folder)
{
    std::string buffer = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string start = folder.empty() ? TestProgramFolder() : folder;
    if (!::CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, start.c_str(),
                          &startup, &m_info))
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

DWORD ChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess)
        ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
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
    return WaitForProcessWindow(processId, nullptr, caption.c_str(), milliseconds);
}

namespace {

constexpr size_t kRemoteSize = 4096;

// LVITEMA as a 32-bit program lays it out, up to what LVM_GETITEMTEXT reads.
struct LvItem32 {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    DWORD pszText;
    int cchTextMax;
    int iImage;
    DWORD lParam;
    int iIndent;
    int iGroupId;
    UINT cColumns;
    DWORD puColumns;
    DWORD piColFmt;
    int iGroup;
};

// Puts an item asking for `column`'s text, read into `text`, at `remote`.
template <typename Item, typename Pointer>
void WriteTextRequest(HANDLE process, char* remote, int column, Pointer text)
{
    Item item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
}

}  // namespace

RemoteListView::RemoteListView(HWND list) : m_list(list)
{
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                  PROCESS_QUERY_INFORMATION,
                              FALSE, WindowProcess(list));
    if (!m_process)
        return;
    m_remote = static_cast<char*>(::VirtualAllocEx(m_process, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE));
    BOOL wow64 = FALSE;
    m_narrowPointers = sizeof(void*) == 8 && ::IsWow64Process(m_process, &wow64) && wow64;
}

RemoteListView::~RemoteListView()
{
    if (m_remote)
        ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process)
        ::CloseHandle(m_process);
}

int RemoteListView::Count() const
{
    return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteListView::Text(int row, int column) const
{
    if (!m_remote)
        return "<no remote memory>";
    // A 32-bit program reads the item with 32-bit pointers.
    if (m_narrowPointers)
        WriteTextRequest<LvItem32>(m_process, m_remote, column,
                                   static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_remote + 512)));
    else
        WriteTextRequest<LVITEMA>(m_process, m_remote, column, m_remote + 512);
    ::SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(m_remote));
    char text[1024] = {};
    ::ReadProcessMemory(m_process, m_remote + 512, text, sizeof text - 1, nullptr);
    return text;
}

RECT RemoteListView::ItemRect(int row) const
{
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    if (!m_remote)
        return rect;
    ::WriteProcessMemory(m_process, m_remote, &rect, sizeof rect, nullptr);
    ::SendMessageA(m_list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(m_remote));
    ::ReadProcessMemory(m_process, m_remote, &rect, sizeof rect, nullptr);
    return rect;
}

POINT RemoteListView::ItemCentre(int row) const
{
    RECT rect = ItemRect(row);
    POINT point = {rect.left + 60, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(m_list, &point);
    return point;
}

namespace {

struct ProcessWindowSearch {
    DWORD process;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ProcessWindowSearch*>(param);
    if (WindowProcess(window) != search->process || !::IsWindowVisible(window))
        return TRUE;
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (search->className && std::string(name) != search->className)
        return TRUE;
    if (search->caption && WindowText(window) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::string WindowText(HWND window)
{
    // Asked of the window itself: across processes GetWindowText reads only
    // a caption, so an edit box of another program would seem empty.
    wchar_t wide[1024] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide),
                               SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    char text[2048] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption)
{
    ProcessWindowSearch search{processId, className, caption, nullptr};
    ::EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessWindow(DWORD processId, const char* className, const char* caption,
                          DWORD milliseconds)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(processId, className, caption)) != nullptr; },
              milliseconds);
    return found;
}

void WaitMilliseconds(DWORD milliseconds)
{
    DWORD start = ::GetTickCount();
    do {
        PumpMessages();
        ::Sleep(10);
    } while (::GetTickCount() - start < milliseconds);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (::GetTickCount() - start >= milliseconds)
            return condition();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::vector<std::string> ReadCommandLog(const std::string& path)
{
    std::string text;
    ReadWholeFile(path, text);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool HasFocus(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) &&
           info.hwndFocus == window;
}

bool InMenuLoop(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) &&
           (info.hwndMenuOwner != nullptr || (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0);
}

POINT WindowCentre(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickAt(POINT screen, bool right)
{
    ::SetCursorPos(screen.x, screen.y);
    WaitMilliseconds(50);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input[0], sizeof(INPUT));
    WaitMilliseconds(50);
    ::SendInput(1, &input[1], sizeof(INPUT));
    WaitMilliseconds(300);
}

void PressKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
    WaitMilliseconds(150);
}

void TypeUnicode(const std::wstring& text)
{
    for (wchar_t c : text) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wScan = input[1].ki.wScan = c;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        ::SendInput(2, input, sizeof(INPUT));
    }
}

namespace {

void MoveMouseTo(POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void Button(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(INPUT));
}

void Key(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

void DragMouse(POINT from, POINT to)
{
    MoveMouseTo(from);
    WaitMilliseconds(100);
    Button(MOUSEEVENTF_LEFTDOWN);
    WaitMilliseconds(100);
    const int steps = 12;
    for (int i = 1; i <= steps; ++i) {
        MoveMouseTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        WaitMilliseconds(40);
    }
    WaitMilliseconds(100);
    Button(MOUSEEVENTF_LEFTUP);
    WaitMilliseconds(300);
}

void PressKeyWith(WORD modifier, WORD key)
{
    Key(modifier, false);
    PressKey(key);
    Key(modifier, true);
    WaitMilliseconds(100);
}
