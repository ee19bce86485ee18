#pragma once
#include <windows.h>

#include <string>

// The program's message boxes, all under one caption unless a window has
// its own name for itself.
inline constexpr char kProgramCaption[] = "Keystave";

// Shows `text` with `style` (MB_ flags) over `owner`; the button pressed.
int ShowMessage(HWND owner, const std::string& text, UINT style,
                const char* caption = kProgramCaption);
void ShowError(HWND owner, const std::string& text, const char* caption = kProgramCaption);
void ShowWarning(HWND owner, const std::string& text, const char* caption = kProgramCaption);
// A question whose safe answer, No, is the default; true for Yes.
bool AskYesNo(HWND owner, const std::string& question, const char* caption = kProgramCaption);
// A Unicode text: for what the program's code page cannot show.
void ShowWarning(HWND owner, const std::wstring& text);
