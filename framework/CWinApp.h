#pragma once
#include <windows.h>

#include <string>

class CWnd;

// The one application object. Its constructor registers it; the entry point
// runs InitInstance, and the process ends when that returns.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    virtual BOOL InitInstance();

    static CWinApp* Current();
    static HINSTANCE Instance();
    // The folder of the running program, without a final backslash; empty
    // when the system does not say.
    static std::string ProgramFolder();
    // The application's main window while it exists, else null.
    static HWND MainWindow();

    void SetRegistryKey(const char* root) { m_registryRoot = root; }
    const std::string& RegistryKey() const { return m_registryRoot; }

    CWnd* m_pMainWnd = nullptr;

private:
    std::string m_registryRoot;
};

// Registers a window message by name; meant for static initialisation.
UINT RegisterMessage(const char* name);
