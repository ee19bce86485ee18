#include "app/ToolWait.h"

#include <cstdlib>

#include "dialogs/CToolHungDlg.h"
#include "exec/CCommandHistory.h"
#include "framework/CWinApp.h"

const UINT WM_KEYSTAVE_TOOL_BUSY = RegisterMessage("KEYSTAVE_TOOL_BUSY");
const UINT WM_KEYSTAVE_TOOL_RUNNING = RegisterMessage("KEYSTAVE_TOOL_RUNNING");

namespace {

bool g_endRequested = false;

bool IsUserInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// Paints, timers and the frame's own handling go on; a click or a key in a
// window could start a second command, so it is dropped. False when the
// program is asked to quit.
bool PumpWhileBusy()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (IsUserInput(message.message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return true;
}

// Tells the main window for as long as the run lasts.
class BusyScope {
public:
    explicit BusyScope(const std::string& text) : m_window(CWinApp::MainWindow())
    {
        if (m_window)
            ::SendMessageA(m_window, WM_KEYSTAVE_TOOL_BUSY, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ~BusyScope()
    {
        if (m_window && ::IsWindow(m_window))
            ::SendMessageA(m_window, WM_KEYSTAVE_TOOL_BUSY, FALSE, 0);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    HWND m_window;
};

}  // namespace

unsigned long ToolTimeoutSeconds()
{
    const char* configured = std::getenv("KEYSTAVE_TOOL_TIMEOUT");
    long seconds = configured ? std::atol(configured) : 0;
    return seconds > 0 ? static_cast<unsigned long>(seconds) : 60;
}

std::string ToolStatusText(const std::string& arguments)
{
    return IsChangingCommand(arguments) ? "Sending a change to the boot configuration..."
                                        : "Reading the boot configuration...";
}

void RequestToolEnd() { g_endRequested = true; }

bool WaitForTool(HANDLE process, const std::string& arguments)
{
    g_endRequested = false;
    BusyScope busy(ToolStatusText(arguments));
    const unsigned long seconds = ToolTimeoutSeconds();
    DWORD start = ::GetTickCount();
    for (;;) {
        DWORD elapsed = ::GetTickCount() - start;
        DWORD limit = seconds * 1000;
        DWORD left = elapsed >= limit ? 0 : limit - elapsed;
        DWORD woken = ::MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken == WAIT_OBJECT_0 + 1) {
            if (!PumpWhileBusy() || g_endRequested)
                return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            continue;
        }
        if (CToolHungDlg(process, arguments, seconds, nullptr).EndIt())
            return false;
        if (g_endRequested)
            return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        start = ::GetTickCount();
    }
}
