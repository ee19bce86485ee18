#include "winexec/Volumes.h"

#include <windows.h>

std::vector<std::string> FixedVolumes()
{
    std::vector<std::string> volumes;
    DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(drives & (1u << letter)))
            continue;
        std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
        if (::GetDriveTypeA(root.c_str()) == DRIVE_FIXED)
            volumes.push_back(root.substr(0, 2));
    }
    return volumes;
}

bool FileExistsOnDisk(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
