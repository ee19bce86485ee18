#include "controls/CThemeLayer.h"

#include <shlwapi.h>

#include <string>

#include "controls/ThemeDecision.h"
#include "framework/CUniqueHandle.h"

namespace {

using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
using GetThemeColorFn = HRESULT(WINAPI*)(HANDLE, int, int, int, COLORREF*);
using IsAppThemedFn = BOOL(WINAPI*)();
using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

template <typename Fn>
Fn As(FARPROC proc)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text)
        out += static_cast<char>(*text < 0x80 ? *text : '?');
    return out;
}

void ReadCommonControlsVersion(ThemeFacts& facts)
{
    CModuleHandle comctl(::LoadLibraryA("comctl32.dll"));
    if (!comctl)
        return;
    auto getVersion = As<DLLGETVERSIONPROC>(::GetProcAddress(comctl.Get(), "DllGetVersion"));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (getVersion && SUCCEEDED(getVersion(&info))) {
        facts.commonControlsVersionKnown = true;
        facts.commonControlsMajor = info.dwMajorVersion;
        facts.commonControlsMinor = info.dwMinorVersion;
    }
}

}  // namespace

CThemeLayer& CThemeLayer::Instance()
{
    static CThemeLayer layer;
    return layer;
}

CThemeLayer::CThemeLayer() : m_library(::LoadLibraryA("UxTheme.dll")) {}

CThemeLayer::~CThemeLayer() = default;

FARPROC CThemeLayer::Function(const char* name)
{
    return m_library ? ::GetProcAddress(m_library.Get(), name) : nullptr;
}

bool CThemeLayer::UseVisualStyles()
{
    if (m_decision >= 0)
        return m_decision == 1;
    ThemeFacts facts;
    ReadCommonControlsVersion(facts);
    facts.themeLibraryLoaded = static_cast<bool>(m_library);
    if (auto isThemed = As<IsAppThemedFn>(Function("IsAppThemed")))
        facts.appThemed = isThemed() != FALSE;
    if (auto themeName = As<GetCurrentThemeNameFn>(Function("GetCurrentThemeName"))) {
        wchar_t file[MAX_PATH] = {}, color[MAX_PATH] = {}, size[MAX_PATH] = {};
        if (SUCCEEDED(themeName(file, MAX_PATH, color, MAX_PATH, size, MAX_PATH)))
            facts.colorSchemeName = Narrow(color);
    }
    m_decision = ShouldUseVisualStyles(facts) ? 1 : 0;
    return m_decision == 1;
}

HANDLE CThemeLayer::OpenThemeData(HWND window, const wchar_t* classes)
{
    auto open = As<OpenThemeDataFn>(Function("OpenThemeData"));
    return open ? open(window, classes) : nullptr;
}

void CThemeLayer::CloseThemeData(HANDLE theme)
{
    auto close = As<CloseThemeDataFn>(Function("CloseThemeData"));
    if (close && theme)
        close(theme);
}

HRESULT CThemeLayer::DrawThemeBackground(HANDLE theme, HDC dc, int part, int state,
                                         const RECT* rect)
{
    auto draw = As<DrawThemeBackgroundFn>(Function("DrawThemeBackground"));
    return draw && theme ? draw(theme, dc, part, state, rect, nullptr) : E_FAIL;
}

HRESULT CThemeLayer::GetThemeColor(HANDLE theme, int part, int state, int property,
                                   COLORREF* color)
{
    auto get = As<GetThemeColorFn>(Function("GetThemeColor"));
    return get && theme ? get(theme, part, state, property, color) : E_FAIL;
}
