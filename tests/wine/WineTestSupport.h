#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Folder of the running test program (the simulator and keystave.exe sit there).
std::string TestProgramFolder();
// The folder of the 32-bit build (KEYSTAVE_WINDOWS32_BIN), or "" when none was named.
std::string Windows32Folder();
// IMAGE_FILE_MACHINE_I386 or _AMD64 of a program file; 0 when it is none.
WORD ImageMachine(const std::string& path);
// The "FileVersion" string of a program's version resource, or "".
std::string FileVersionOf(const std::string& path);
// The names in `folder` matching `pattern`, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder, const char* pattern = "*");
// A fresh, empty folder under the system's temporary folder.
std::string MakeTempFolder(const char* prefix);
// Writes the sample store to `path` and points the simulator at it.
void UseFreshSampleStore(const std::string& path);

// A started program; closed and waited for when it goes out of scope.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& commandLine, const std::string& folder = "");
    ~ChildProcess();
    bool Started() const { return m_info.hProcess != nullptr; }
    bool WaitForExit(DWORD milliseconds);
    // The exit code once it has ended; STILL_ACTIVE before.
    DWORD ExitCode() const;
    DWORD Id() const { return m_info.dwProcessId; }
    void Kill();

private:
    PROCESS_INFORMATION m_info = {};
};

// Visible top-level windows whose caption is `caption`.
std::vector<HWND> WindowsWithCaption(const std::string& caption);
// Waits until a visible window of that process with that caption exists.
HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD milliseconds);
DWORD WindowProcess(HWND window);
// Handles whatever was sent or posted to the test thread's own windows.
void PumpMessages();

// Reads and drives a list view of another process through memory of its own.
class RemoteListView {
public:
    explicit RemoteListView(HWND list);
    ~RemoteListView();
    int Count() const;
    std::string Text(int row, int column) const;
    RECT ItemRect(int row) const;  // client coordinates
    // A point inside the row near its left edge, in screen coordinates.
    POINT ItemCentre(int row) const;

private:
    HWND m_list;
    HANDLE m_process = nullptr;
    char* m_remote = nullptr;
    bool m_narrowPointers = false;  // a 32-bit program's list, read from a 64-bit test
};

// Top-level dialog windows (message boxes, dialogs) of a process with that caption.
HWND FindProcessWindow(DWORD processId, const char* className, const char* caption);
HWND WaitForProcessWindow(DWORD processId, const char* className, const char* caption,
                          DWORD milliseconds);
std::string WindowText(HWND window);
void ClickAt(POINT screen, bool right = false);
void PressKey(WORD key);
// Types text as Unicode characters, as an input method or a language's
// keyboard layout delivers them; the caller waits for their effect.
void TypeUnicode(const std::wstring& text);
// Presses the left button at `from`, moves in small steps to `to` and
// releases it there, as a hand would drag.
void DragMouse(POINT from, POINT to);
// A key pressed with a modifier (VK_SHIFT, VK_CONTROL) held down. (Under
// Wine a click does not carry the modifiers: select with the keyboard.)
void PressKeyWith(WORD modifier, WORD key);
void WaitMilliseconds(DWORD milliseconds);
// Pumps the test thread's messages until `condition` holds or the time is
// up; the condition's last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000);
// The simulator's command log at `path`: one argument string a line.
std::vector<std::string> ReadCommandLog(const std::string& path);
// Whether `window` has the keyboard focus of the thread it belongs to.
bool HasFocus(HWND window);
// Whether the window's thread runs a menu's loop, which then takes the keys.
bool InMenuLoop(HWND window);
// The centre of a window's rectangle, in screen coordinates.
POINT WindowCentre(HWND window);
