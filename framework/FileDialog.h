#pragma once
#include <windows.h>

#include <string>

// The system's window for choosing an existing file: the path chosen, or
// empty when the user cancelled (or the window could not be opened, which
// the user is told). `filter` is in the OPENFILENAME form, pairs ended by
// NULs.
std::string AskForFile(HWND owner, const char* title, const char* filter, const std::string& folder);
