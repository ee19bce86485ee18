#pragma once
#include <string>
#include <vector>

#include "exec/LocalTime.h"

// Backups are named after the moment they were made, so their names sort
// and tell their age: "BCD-20261207-101500.bak"; a second one in the same
// second gets "-2", and so on.
std::string BackupFileName(const LocalTime& time, int serial = 1);

// A store file's copy: the same name with the file's own after " of ",
// "BCD-20261207-101500 of BCD.bak"; letters a file name should not hold
// become '_'.
std::string StoreCopyFileName(const std::string& storeFile, const LocalTime& time, int serial = 1);
// The last part of a path: what follows its last backslash, slash or colon.
std::string FileNameOfPath(const std::string& path);
// The store file's name a backup's name tells; empty for this PC's store.
std::string BackupStoreName(const std::string& name);

// The moment a backup's name tells; false for any other name.
bool BackupTimeFromName(const std::string& name, LocalTime& time);

// Backup names, newest first; other names are left out.
std::vector<std::string> BackupsNewestFirst(const std::vector<std::string>& names);

// The backups beyond the newest `keep`, which go.
std::vector<std::string> BackupsToRemove(const std::vector<std::string>& names, size_t keep);

// "512 bytes", "24 KB", "1.5 MB"
std::string FileSizeText(unsigned long long bytes);

constexpr size_t kBackupsKept = 20;
// Beside a store file's copy, a file of this name's end holds the store
// file's full path.
constexpr const char* kStoreOriginSuffix = ".from";
