#include "winexec/RestartWindows.h"

#include <windows.h>

#include <cstdio>

#include "winexec/ToolRunner.h"

namespace {

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

bool NoteInLog(const std::string& path, std::string& failure)
{
    std::FILE* log = std::fopen(path.c_str(), "ab");
    if (!log) {
        failure = "The restart log " + path + " could not be opened.";
        return false;
    }
    std::fputs("restart\r\n", log);
    std::fclose(log);
    return true;
}

bool EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = ::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
              ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
              ::GetLastError() == ERROR_SUCCESS;
    ::CloseHandle(token);
    return ok;
}

}  // namespace

bool RequestRestart(std::string& failure)
{
    std::string log = Environment("KEYSTAVE_RESTART_LOG");
    if (!log.empty())
        return NoteInLog(log, failure);
    if (!RunsSystemTool()) {
        failure = "Keystave runs another tool than this PC's own BCDEDIT.EXE (" + BcdeditPath() +
                  "), so the change was not made to this PC's store: Windows is not restarted.";
        return false;
    }
    if (!EnableShutdownPrivilege()) {
        failure = "Windows did not grant the right to restart the PC.";
        return false;
    }
    const DWORD planned = SHTDN_REASON_MAJOR_OPERATINGSYSTEM | SHTDN_REASON_MINOR_RECONFIG |
                          SHTDN_REASON_FLAG_PLANNED;
    if (!::ExitWindowsEx(EWX_REBOOT, planned)) {
        failure = "Windows refused to restart (error " + std::to_string(::GetLastError()) + ").";
        return false;
    }
    return true;
}
