#include "app/SingleInstance.h"

#include "framework/CWinApp.h"

const UINT WM_KEYSTAVE_IS_ALIVE = RegisterMessage("KEYSTAVE_IS_ALIVE");
const char* const kInstanceMutexName = "KEYSTAVE-336C86FC-C4C2-4831-B62E-CAC068BFA5CC";

BOOL CALLBACK FindRunningInstance(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId())
        return TRUE;
    DWORD_PTR reply = 0;
    LRESULT sent = ::SendMessageTimeoutA(window, WM_KEYSTAVE_IS_ALIVE, 0, 0,
                                         SMTO_BLOCK | SMTO_ABORTIFHUNG, 200, &reply);
    if (sent == 0 || reply != WM_KEYSTAVE_IS_ALIVE)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

bool AnotherInstanceRuns()
{
    // The handle is kept for the life of the process: it marks this instance.
    ::CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED)
        return false;
    HWND running = nullptr;
    ::EnumWindows(FindRunningInstance, reinterpret_cast<LPARAM>(&running));
    if (running) {
        if (::IsIconic(running))
            ::ShowWindow(running, SW_RESTORE);
        ::SetForegroundWindow(running);
    }
    return true;
}
