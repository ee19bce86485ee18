#pragma once
#include <windows.h>

// The help file, handed to the help viewer by bare name.
extern const char* const kHelpFile;

// Path of the registered HTML Help control (HKCR CLSID of the control,
// InprocServer32, default value; REG_EXPAND_SZ expanded), into a buffer of
// MAX_PATH characters.
bool FindHtmlHelpLibrary(char* path);

// HtmlHelpA, bound when first needed: the registered control, else
// "hhctrl.ocx" by name. Once that fails, help stays unavailable and every
// call returns null at once.
HWND CallHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data);

// Opens the help file; shows nothing when help is unavailable.
void ShowHelp();

// For tests: forget what was loaded, so the next call looks again.
void ResetHtmlHelpForTesting();
bool HtmlHelpUnavailable();
