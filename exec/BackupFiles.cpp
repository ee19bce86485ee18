#include "exec/BackupFiles.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "common/TextCompare.h"

namespace {

const char* const kStoreOf = " of ";

bool Digits(const std::string& text, size_t at, size_t count, int& value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

struct BackupKey {
    std::string name;
    LocalTime time;
    int serial = 1;
};

bool ReadKey(const std::string& name, BackupKey& key)
{
    // BCD-YYYYMMDD-HHMMSS[-N].bak
    const size_t stampEnd = 19;
    if (name.size() < stampEnd + 4 || !StartsWith(ToUpperAscii(name), "BCD-") || name[12] != '-')
        return false;
    LocalTime& t = key.time;
    if (!Digits(name, 4, 4, t.year) || !Digits(name, 8, 2, t.month) || !Digits(name, 10, 2, t.day) ||
        !Digits(name, 13, 2, t.hour) || !Digits(name, 15, 2, t.minute) || !Digits(name, 17, 2, t.second))
        return false;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 60)
        return false;
    std::string rest = name.substr(stampEnd);
    if (!EqualsNoCase(rest.substr(rest.size() - 4), ".bak"))
        return false;
    rest.resize(rest.size() - 4);
    // A store file's copy names the file after the moment.
    size_t of = rest.find(kStoreOf);
    if (of != std::string::npos) {
        if (of + std::string(kStoreOf).size() >= rest.size())
            return false;
        rest.resize(of);
    }
    key.serial = 1;
    if (!rest.empty()) {
        if (rest[0] != '-' || rest.size() < 2 || rest.size() > 5 ||
            !Digits(rest, 1, rest.size() - 1, key.serial) || key.serial < 2)
            return false;
    }
    key.name = name;
    return true;
}

std::string SafeFileName(const std::string& path)
{
    std::string name = FileNameOfPath(path);
    for (char& c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '-' || c == '_'))
            c = '_';
    if (name.size() > 60)
        name.resize(60);
    return name.empty() ? "store" : name;
}

bool Newer(const BackupKey& a, const BackupKey& b)
{
    auto tuple = [](const BackupKey& k) {
        const LocalTime& t = k.time;
        return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second, k.serial);
    };
    return tuple(a) > tuple(b);
}

}  // namespace

std::string BackupFileName(const LocalTime& time, int serial)
{
    char text[64];
    std::snprintf(text, sizeof text, "BCD-%04d%02d%02d-%02d%02d%02d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second);
    std::string name = text;
    if (serial > 1)
        name += "-" + std::to_string(serial);
    return name + ".bak";
}

std::string FileNameOfPath(const std::string& path)
{
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StoreCopyFileName(const std::string& storeFile, const LocalTime& time, int serial)
{
    std::string name = BackupFileName(time, serial);
    return name.substr(0, name.size() - 4) + kStoreOf + SafeFileName(storeFile) + ".bak";
}

std::string BackupStoreName(const std::string& name)
{
    BackupKey key;
    if (!ReadKey(name, key))
        return {};
    size_t of = name.find(kStoreOf);
    return of == std::string::npos ? std::string() : name.substr(of + std::string(kStoreOf).size(),
                                                                name.size() - 4 - of - std::string(kStoreOf).size());
}

bool BackupTimeFromName(const std::string& name, LocalTime& time)
{
    BackupKey key;
    if (!ReadKey(name, key))
        return false;
    time = key.time;
    return true;
}

std::vector<std::string> BackupsNewestFirst(const std::vector<std::string>& names)
{
    std::vector<BackupKey> keys;
    for (const std::string& name : names) {
        BackupKey key;
        if (ReadKey(name, key))
            keys.push_back(key);
    }
    std::stable_sort(keys.begin(), keys.end(), Newer);
    std::vector<std::string> sorted;
    for (const BackupKey& key : keys)
        sorted.push_back(key.name);
    return sorted;
}

std::vector<std::string> BackupsToRemove(const std::vector<std::string>& names, size_t keep)
{
    std::vector<std::string> sorted = BackupsNewestFirst(names);
    if (sorted.size() <= keep)
        return {};
    return std::vector<std::string>(sorted.begin() + static_cast<long>(keep), sorted.end());
}

std::string FileSizeText(unsigned long long bytes)
{
    char text[32];
    if (bytes < 1024)
        std::snprintf(text, sizeof text, "%llu bytes", bytes);
    else if (bytes < 1024ull * 1024)
        std::snprintf(text, sizeof text, "%llu KB", (bytes + 1023) / 1024);
    else
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}
