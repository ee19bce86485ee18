#include "framework/FileDialog.h"

#include <commdlg.h>

#include "common/SystemFunction.h"
#include "framework/MessageBoxes.h"

std::string AskForFile(HWND owner, const char* title, const char* filter, const std::string& folder)
{
    char path[MAX_PATH] = {};
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter;
    open.lpstrFile = path;
    open.nMaxFile = sizeof path;
    open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    open.lpstrTitle = title;
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    // Loaded when first wanted: most runs never choose a file.
    using OpenFileName = BOOL(WINAPI*)(LPOPENFILENAMEA);
    auto openFileName = SystemFunction<OpenFileName>("comdlg32.dll", "GetOpenFileNameA");
    if (!openFileName) {
        ShowError(owner, "The window for choosing a file could not be opened.");
        return {};
    }
    return openFileName(&open) ? std::string(path) : std::string();
}
