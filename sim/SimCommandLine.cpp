#include "sim/SimCommandLine.h"

#include <cstdio>

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

std::string CommandLogLine(const std::string& arguments)
{
    std::string line;
    for (char c : arguments)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    return line + '\n';
}

bool AppendCommandLog(const std::string& path, const std::string& arguments)
{
    std::string line = CommandLogLine(arguments);
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file)
        return false;
    bool ok = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return std::fclose(file) == 0 && ok;
}
