#include "framework/MessageBoxes.h"

int ShowMessage(HWND owner, const std::string& text, UINT style, const char* caption)
{
    return ::MessageBoxA(owner, text.c_str(), caption, style);
}

void ShowError(HWND owner, const std::string& text, const char* caption)
{
    ShowMessage(owner, text, MB_ICONERROR | MB_OK, caption);
}

void ShowWarning(HWND owner, const std::string& text, const char* caption)
{
    ShowMessage(owner, text, MB_ICONWARNING | MB_OK, caption);
}

bool AskYesNo(HWND owner, const std::string& question, const char* caption)
{
    return ShowMessage(owner, question, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, caption) ==
           IDYES;
}

void ShowWarning(HWND owner, const std::wstring& text)
{
    ::MessageBoxW(owner, text.c_str(), L"Keystave", MB_ICONWARNING | MB_OK);
}
