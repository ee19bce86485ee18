#pragma once
#include <windows.h>

#include <string>

#include "framework/CDialog.h"

// Asked when BCDEDIT.EXE has run longer than it should: wait on, or end it.
// A tool that finishes while the question is open closes it as answered.
class CToolHungDlg : public CDialog {
public:
    CToolHungDlg(HANDLE process, const std::string& arguments, unsigned long seconds, HWND parent);

    // True when the user chose End It and the tool was still running.
    bool EndIt();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnCancel() override;

private:
    HANDLE m_process;
    std::string m_text;
};
