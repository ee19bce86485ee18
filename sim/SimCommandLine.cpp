#include "sim/SimCommandLine.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

std::string ArgumentString(const std::string& commandLine)
{
    size_t i = 0;
    // The program name ends at the closing quote, or at the first blank.
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t')
        ++i;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    return commandLine.substr(i);
}

std::vector<std::string> SplitArguments(const std::string& arguments)
{
    std::vector<std::string> result;
    std::string current;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        char c = arguments[i];
        if (c == '\\') {
            size_t end = arguments.find_first_not_of('\\', i);
            size_t run = (end == std::string::npos ? arguments.size() : end) - i;
            if (i + run < arguments.size() && arguments[i + run] == '"') {
                current.append(run / 2, '\\');
                i += run;
                inWord = true;
                if (run % 2 == 1) {
                    current += '"';
                    continue;
                }
                quoted = !quoted;
                continue;
            }
            current.append(run, '\\');
            i += run - 1;
            inWord = true;
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
            continue;
        }
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                result.push_back(current);
            current.clear();
            inWord = false;
            continue;
        }
        current += c;
        inWord = true;
    }
    if (inWord)
        result.push_back(current);
    return result;
}

bool AppendCommandLog(const std::string& path, const std::string& arguments)
{
    std::string line;
    for (char c : arguments)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    line += '\n';
    // Runs started together log at the same time. Opened for appending only,
    // each write lands whole at the end; a seek to the end and a write (as
    // the C library's append does on Windows) could overwrite another's line.
#ifdef _WIN32
    HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
              written == line.size();
    return ::CloseHandle(file) && ok;
#else
    int file = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (file < 0)
        return false;
    bool ok = ::write(file, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    return ::close(file) == 0 && ok;
#endif
}
