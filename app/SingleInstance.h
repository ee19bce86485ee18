#pragma once
#include <windows.h>

// Id of "KEYSTAVE_IS_ALIVE", registered during static initialisation; both
// the asking and the answering side use it.
extern const UINT WM_KEYSTAVE_IS_ALIVE;
extern const char* const kInstanceMutexName;

// EnumWindows callback: stores the first window that answers the handshake
// into the HWND that `param` points at. Windows of the calling process are
// passed over, so that a second instance never finds its own dialog.
BOOL CALLBACK FindRunningInstance(HWND window, LPARAM param);

// True when another instance already runs; that one is then restored and
// brought to the front.
bool AnotherInstanceRuns();
