#pragma once
// Windows only: the seams of the portable core that touch the system use it.
#ifdef _WIN32
#include <windows.h>

#include <string>

// A function of a system DLL, loaded the first time it is wanted: each DLL
// imported costs every start of the program its loading, and most runs never
// open a file dialog. Loaded by its full path in the system folder, never
// found by a search. Null when the DLL or the function is not there.
template <typename Function>
Function SystemFunction(const char* dll, const char* name)
{
    char folder[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    HMODULE module = ::LoadLibraryA((std::string(folder) + "\\" + dll).c_str());
    // The module stays loaded for the program's life, as an import would.
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
#endif
