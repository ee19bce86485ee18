#pragma once
#include <string>
#include <vector>

// The PC's fixed drives, "C:", "D:", as GetLogicalDrives and GetDriveType
// list them: where a Windows or a boot sector can be.
std::vector<std::string> FixedVolumes();
// Whether a file (not a folder) exists at `path`.
bool FileExistsOnDisk(const std::string& path);
