// Shows the grid host, optionally with an editor open, for screenshots:
//   gridhost.exe [combo ROW | edit ROW]
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "controls/CAdvComboBox.h"
#include "framework/CWinApp.h"
#include "tests/wine/CGridHostDlg.h"

namespace {

class CGridHostApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

CGridHostApp theApp;

void ClickCell(CXListCtrl& grid, int row, int column)
{
    RECT rect = {};
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    grid.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(grid, &point);
    ::SetCursorPos(point.x, point.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
}

BOOL CGridHostApp::InitInstance()
{
    ::InitCommonControls();
    CGridHostDlg dialog;
    if (!dialog.Create())
        return FALSE;
    ::ShowWindow(dialog, SW_SHOW);
    ::SetForegroundWindow(dialog);
    const char* mode = __argc > 2 ? __argv[1] : nullptr;
    int row = __argc > 2 ? std::atoi(__argv[2]) : 0;
    bool clicked = false;
    DWORD start = ::GetTickCount();
    MSG message;
    while (::IsWindow(dialog)) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!::IsDialogMessageA(dialog, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
        }
        if (mode && !clicked && ::GetTickCount() - start > 700) {
            clicked = true;
            ClickCell(dialog.Grid(), row, 1);
            if (std::strcmp(mode, "combo") == 0) {
                // Once the click has opened the drop-down editor, F4 opens its list.
                DWORD asked = ::GetTickCount();
                while (!::FindWindowA(CAdvComboBox::kClassName, nullptr) && ::GetTickCount() - asked < 5000) {
                    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
                    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                        ::DispatchMessageA(&message);
                }
                INPUT keys[2] = {};
                keys[0].type = keys[1].type = INPUT_KEYBOARD;
                keys[0].ki.wVk = keys[1].ki.wVk = VK_F4;
                keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
                ::SendInput(2, keys, sizeof(INPUT));
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return FALSE;
}

}  // namespace
