#include "app/HtmlHelp.h"

#include "framework/CUniqueHandle.h"

#include <cstring>

const char* const kHelpFile = "keystave.chm";

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HMODULE g_module = nullptr;  // never unloaded
bool g_unavailable = false;
HtmlHelpFn g_entry = nullptr;

const char kControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr WORD kHtmlHelpOrdinal = 14;
constexpr UINT kDisplayTopic = 0;

}  // namespace

bool FindHtmlHelpLibrary(char* path)
{
    CRegistryKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kControlKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return false;
    char value[MAX_PATH] = {};
    DWORD type = 0, size = sizeof value - 1;
    bool found = false;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
        ERROR_SUCCESS) {
        value[sizeof value - 1] = '\0';
        if (type == REG_EXPAND_SZ) {
            DWORD needed = ::ExpandEnvironmentStringsA(value, path, MAX_PATH);
            found = needed != 0 && needed <= MAX_PATH;
        } else {
            size_t length = std::strlen(value);
            found = length < MAX_PATH;
            if (found)
                std::memcpy(path, value, length + 1);
        }
    }
    return found;
}

HWND CallHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data)
{
    if (g_unavailable)
        return nullptr;
    if (!g_module) {
        char path[MAX_PATH] = {};
        if (FindHtmlHelpLibrary(path))
            g_module = ::LoadLibraryA(path);
        if (!g_module)
            g_module = ::LoadLibraryA("hhctrl.ocx");
    }
    if (!g_module) {
        g_unavailable = true;
        return nullptr;
    }
    if (!g_entry) {
        g_entry = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(
            ::GetProcAddress(g_module, MAKEINTRESOURCEA(kHtmlHelpOrdinal))));
        if (!g_entry) {
            g_unavailable = true;
            return nullptr;
        }
    }
    return g_entry(owner, file, command, data);
}

void ShowHelp() { CallHtmlHelp(nullptr, kHelpFile, kDisplayTopic, 0); }

void ResetHtmlHelpForTesting()
{
    g_module = nullptr;
    g_unavailable = false;
    g_entry = nullptr;
}

bool HtmlHelpUnavailable() { return g_unavailable; }
