#include "winexec/ProgramSession.h"

#include "framework/CUniqueHandle.h"

#include <shlobj.h>

#include <cstdio>
#include <functional>

#include "common/FileText.h"
#include "common/SystemFunction.h"
#include "exec/BackupFiles.h"
#include "exec/ToolCommand.h"
#include "winexec/ToolRunner.h"

namespace {

LocalTime FromSystemTime(const SYSTEMTIME& time)
{
    return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

LocalTime Now()
{
    SYSTEMTIME time;
    ::GetLocalTime(&time);
    return FromSystemTime(time);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeFolder(const std::string& path, std::string& why)
{
    if (::CreateDirectoryA(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    why = "The folder " + path + " could not be made: " + SystemErrorText(::GetLastError());
    return false;
}

std::string LocalAppData()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableA("LOCALAPPDATA", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return path;
    using FolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    auto folderPath = SystemFunction<FolderPath>("shell32.dll", "SHGetFolderPathA");
    if (folderPath && SUCCEEDED(folderPath(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return path;
    return {};
}

// The first free name of a backup of this moment in the backups folder
// (serials 1 to 99); empty, with why, when there is none.
std::string FreeBackupPath(const std::function<std::string(int serial)>& nameOf, std::string& why)
{
    std::string folder = BackupFolder(why);
    if (folder.empty())
        return {};
    for (int serial = 1; serial < 100; ++serial) {
        std::string path = folder + "\\" + nameOf(serial);
        if (!Exists(path))
            return path;
    }
    why = "There are too many backups of this second in " + folder + ".";
    return {};
}

std::string NewBackupPath(const LocalTime& now, std::string& why)
{
    return FreeBackupPath([&now](int serial) { return BackupFileName(now, serial); }, why);
}

void PruneBackups()
{
    std::string why;
    std::string folder = BackupFolder(why);
    if (folder.empty())
        return;
    std::vector<std::string> names;
    for (const BackupFile& backup : ListBackups(folder))
        names.push_back(backup.name);
    for (const std::string& name : BackupsToRemove(names, kBackupsKept)) {
        ::DeleteFileA((folder + "\\" + name).c_str());
        ::DeleteFileA((folder + "\\" + name + kStoreOriginSuffix).c_str());
    }
}

// Writes the store file's full path beside its copy: Restore puts the copy
// back there.
bool NoteStoreOrigin(const std::string& copy, const std::string& storeFile)
{
    std::FILE* file = std::fopen((copy + kStoreOriginSuffix).c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(storeFile.data(), 1, storeFile.size(), file) == storeFile.size();
    return std::fclose(file) == 0 && written;
}

std::string CopyStoreFile(const std::string& storeFile, const LocalTime& now, std::string& why)
{
    std::string copy =
        FreeBackupPath([&](int serial) { return StoreCopyFileName(storeFile, now, serial); }, why);
    if (copy.empty())
        return {};
    if (!::CopyFileA(storeFile.c_str(), copy.c_str(), TRUE)) {
        why = "The store file " + storeFile + " could not be copied to " + copy + ": " +
              SystemErrorText(::GetLastError());
        return {};
    }
    if (!NoteStoreOrigin(copy, storeFile)) {
        ::DeleteFileA(copy.c_str());
        why = "Where the copy of " + storeFile + " came from could not be written beside it in " +
              copy.substr(0, copy.size() - FileNameOfPath(copy).size() - 1) + ".";
        return {};
    }
    return copy;
}

}  // namespace

std::string StoreFileOfCopy(const std::string& backupPath)
{
    std::string origin;
    if (!ReadWholeFile(backupPath + kStoreOriginSuffix, origin))
        return {};
    // One line, as it was written; anything else is no path to copy back to.
    return origin.find_first_of("\r\n\"") == std::string::npos ? origin : std::string();
}

std::string SystemErrorText(DWORD error)
{
    char text[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                    error, 0, text, sizeof text, nullptr);
    std::string words(text, length);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
        words.pop_back();
    return words.empty() ? "error " + std::to_string(error) : words;
}

CSession MakeProgramSession()
{
    CSession session([](const std::string& arguments) { return RunBcdedit(arguments); }, Now);
    session.SetBackupPlace(BackupPlace{NewBackupPath, PruneBackups, CopyStoreFile});
    session.SetStartReads(StartBcdeditReads);
    return session;
}

std::string BackupFolder(std::string& why)
{
    std::string base = LocalAppData();
    if (base.empty()) {
        why = "The folder for local application data is not known.";
        return {};
    }
    std::string keystave = base + "\\Keystave", backups = keystave + "\\Backups";
    if (!MakeFolder(keystave, why) || !MakeFolder(backups, why))
        return {};
    return backups;
}

std::vector<BackupFile> ListBackups(const std::string& folder)
{
    std::vector<BackupFile> found;
    WIN32_FIND_DATAA data;
    CFindHandle search(::FindFirstFileA((folder + "\\BCD-*.bak").c_str(), &data));
    if (!search)
        return found;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        BackupFile file;
        file.name = data.cFileName;
        if (!BackupTimeFromName(file.name, file.time))
            continue;
        file.path = folder + "\\" + file.name;
        file.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        found.push_back(file);
    } while (::FindNextFileA(search.Get(), &data));
    std::vector<std::string> names;
    for (const BackupFile& file : found)
        names.push_back(file.name);
    std::vector<BackupFile> sorted;
    for (const std::string& name : BackupsNewestFirst(names))
        for (const BackupFile& file : found)
            if (file.name == name)
                sorted.push_back(file);
    return sorted;
}

bool FileMoment(const std::string& path, LocalTime& time)
{
    if (BackupTimeFromName(FileNameOfPath(path), time))
        return true;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    FILETIME local;
    SYSTEMTIME system;
    if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &system))
        return false;
    time = FromSystemTime(system);
    return true;
}
