#include "app/CKeystaveApp.h"
#include "framework/MessageBoxes.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CKeystaveDlg.h"
#include "exec/ToolCommand.h"
#include "app/ToolWait.h"
#include "common/TextEncoding.h"
#include "common/UserNotice.h"
#include "winexec/ProgramSession.h"
#include "winexec/ToolRunner.h"

CKeystaveApp theApp;

namespace {

// GetVersionExA is deprecated, but it is the query this program relies on:
// it never reports less than the real major version.
BOOL QueryVersion(OSVERSIONINFOEXA& info, DWORD size)
{
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = size;
#if defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
#if defined(_MSC_VER)
#pragma warning(pop)
#elif defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}

}  // namespace

BOOL CKeystaveApp::InitInstance()
{
    ::InitCommonControls();
    CWinApp::InitInstance();

    OSVERSIONINFOEXA version;
    if (!QueryVersion(version, sizeof(OSVERSIONINFOEXA)) &&
        !QueryVersion(version, sizeof(OSVERSIONINFOA))) {
        ShowError(nullptr, "Unable to determine System Version");
        return FALSE;
    }
    if (version.dwMajorVersion < 6) {
        ShowError(nullptr, "This application is for Vista and later operating systems.");
        return FALSE;
    }
    SetRegistryKey("Local AppWizard-Generated Applications");

    // The portable core tells the user through message boxes, owned by
    // whichever of our windows is active, and writes to the debugger output.
    SetNoticeSink([](const std::string& text, NoticeKind kind) {
        ShowMessage(::GetActiveWindow(), text,
                    MB_OK | (kind == NoticeKind::Error ? MB_ICONERROR : 0));
    });
    SetDebugSink([](const std::string& text) { ::OutputDebugStringA(text.c_str()); });
    // The tool's translated words are compiled in as UTF-8; its output is
    // read in the program's code page.
    SetTextEncoder(Utf8ToAnsi);

    // A run of the tool leaves the windows answering and can be ended.
    SetRunWaiter(WaitForTool);
    // The one session of this run: every window is handed it.
    CSession session = MakeProgramSession();
    CKeystaveDlg dialog(session, nullptr);
    // "keystave.exe /store <file>" opens a store file: a repaired PC's, a virtual disk's.
    dialog.OpenAtStart(StoreFileArgument(std::vector<std::string>(__argv, __argv + __argc)));
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
