#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "exec/CSession.h"

// The session of this run of the program, made once at start-up and handed
// to the windows: every run of BCDEDIT.EXE goes through it, and its backups
// go to the user's backup folder.
CSession MakeProgramSession();

// "%LOCALAPPDATA%\Keystave\Backups", made when missing; empty, with the
// system's reason in `why`, when it cannot be made.
std::string BackupFolder(std::string& why);

struct BackupFile {
    std::string path;
    std::string name;
    LocalTime time;
    unsigned long long size = 0;
};

// The backups in the folder, newest first.
std::vector<BackupFile> ListBackups(const std::string& folder);

// The store file a backup is a copy of, as written beside it; empty for a
// backup of this PC's store, or when nothing says.
std::string StoreFileOfCopy(const std::string& backupPath);

// The moment a file stands for: the one its name tells, or when it was last written.
bool FileMoment(const std::string& path, LocalTime& time);

// The system's words for an error code, on one line.
std::string SystemErrorText(DWORD error);
