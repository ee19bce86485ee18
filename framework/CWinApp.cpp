#include "framework/CWinApp.h"

#include "framework/CWnd.h"

#include <commctrl.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

CWinApp* CWinApp::Current() { return g_app; }

HINSTANCE CWinApp::Instance() { return ::GetModuleHandleA(nullptr); }

std::string CWinApp::ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

HWND CWinApp::MainWindow()
{
    CWinApp* app = Current();
    HWND main = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    return main && ::IsWindow(main) ? main : nullptr;
}

UINT RegisterMessage(const char* name) { return ::RegisterWindowMessageA(name); }

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::Current();
    if (!app)
        return 1;
    // There is no message loop of the application's own: whatever
    // InitInstance returns, the process ends after it.
    app->InitInstance();
    return 0;
}
