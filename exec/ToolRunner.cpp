#include "exec/ToolRunner.h"

#include <windows.h>

#include <cstring>

#include "exec/ToolCommand.h"

std::string ToolRunner(std::string tool, std::string arguments)
{
    std::string result;
    char commandLine[kCommandLineBufferSize];
    // Refused whole rather than cut: a truncated command would be another command.
    if (tool.size() + 1 + arguments.size() + 1 > sizeof commandLine)
        return result;
    std::string joined = tool + " " + arguments;
    std::memcpy(commandLine, joined.c_str(), joined.size() + 1);

    SECURITY_ATTRIBUTES attributes = {};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = nullptr;
    attributes.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &attributes, 0))
        return result;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    ::CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE,
                     CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                     &process);
    // The child now holds the only other write end: end of file comes when it ends.
    ::CloseHandle(writeEnd);

    char buffer[100];
    DWORD count = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr))
        result.append(buffer, count);

    ::CloseHandle(readEnd);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    if (process.hThread)
        ::CloseHandle(process.hThread);
    return result;
}

ToolRun BcdeditToolRun()
{
    return [](const std::string& arguments) { return ToolRunner(kToolName, arguments); };
}
