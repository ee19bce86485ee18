#pragma once
#include <windows.h>

#include "framework/CUniqueHandle.h"

// The theme library, bound at run time: where it or one of its functions is
// missing, a replacement that fails stands in, and drawing falls back to
// plain 3D. Whether to use visual styles is decided once.
class CThemeLayer {
public:
    static CThemeLayer& Instance();

    bool UseVisualStyles();

    HANDLE OpenThemeData(HWND window, const wchar_t* classes);
    void CloseThemeData(HANDLE theme);
    HRESULT DrawThemeBackground(HANDLE theme, HDC dc, int part, int state, const RECT* rect);
    HRESULT GetThemeColor(HANDLE theme, int part, int state, int property, COLORREF* color);

private:
    CThemeLayer();
    ~CThemeLayer();
    FARPROC Function(const char* name);

    CModuleHandle m_library;
    int m_decision = -1;  // -1: not decided yet
};
