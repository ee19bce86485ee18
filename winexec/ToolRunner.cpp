#include "winexec/ToolRunner.h"

#include "common/ByteSearch.h"

#include "framework/CUniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "exec/ToolCommand.h"

namespace {

std::string Convert(const std::string& text, UINT from, UINT to)
{
    // A listing is ASCII but for the odd name: megabytes of it need no trip
    // through UTF-16 and back.
    if (text.empty() || from == to || IsAscii(text.data(), text.size()))
        return text;
    int wide = ::MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0)
        return text;
    std::vector<wchar_t> buffer(static_cast<size_t>(wide));
    ::MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), buffer.data(), wide);
    DWORD flags = to == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int narrow = ::WideCharToMultiByte(to, flags, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0)
        return text;
    std::string out(static_cast<size_t>(narrow), '\0');
    ::WideCharToMultiByte(to, flags, buffer.data(), wide, &out[0], narrow, nullptr, nullptr);
    return out;
}

bool IsWow64()
{
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RunningUnderWine()
{
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

// Starts `name` + blank + `arguments` with its output going to `output`;
// from the file `path` when one is given (no search at all), else found by
// the system's search for a bare name.
bool Start(const std::string& path, const std::string& name, const std::string& arguments, HANDLE output,
           PROCESS_INFORMATION& process)
{
    char commandLine[kCommandLineBufferSize];
    // Refused whole rather than cut: a truncated command would be another command.
    if (name.size() + 1 + arguments.size() + 1 > sizeof commandLine)
        return false;
    std::string joined = name + " " + arguments;
    std::memcpy(commandLine, joined.c_str(), joined.size() + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output;
    startup.hStdError = output;
    return ::CreateProcessA(path.empty() ? nullptr : path.c_str(), commandLine, nullptr, nullptr, TRUE,
                            CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                            &process) != FALSE;
}

struct PipeReader {
    HANDLE pipe;
    std::string text;
};

// Takes everything until the last write end closes, in large blocks; a NUL
// or a lone CR is text like any other.
DWORD WINAPI ReadAll(void* parameter)
{
    auto* reader = static_cast<PipeReader*>(parameter);
    std::vector<char> buffer(64 * 1024);
    DWORD count = 0;
    while (::ReadFile(reader->pipe, buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr))
        reader->text.append(buffer.data(), count);
    return 0;
}

const DWORD kReaderGrace = 2000;

RunWaiter& Waiter()
{
    static RunWaiter waiter = [](HANDLE process, const std::string&) {
        ::WaitForSingleObject(process, INFINITE);
        return true;
    };
    return waiter;
}

// A child started with its output read beside it; Finish waits for it.
class RunningTool {
public:
    RunningTool(const std::string& path, const std::string& name, const std::string& arguments)
        : m_arguments(arguments)
    {
        CKernelHandle writeEnd;
        if (!::CreatePipe(m_readEnd.Put(), writeEnd.Put(), nullptr, 0))
            return;
        // The child gets the write end alone: a read end it held too would keep
        // the pipe open, and is nothing of its business.
        ::SetHandleInformation(writeEnd.Get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        PROCESS_INFORMATION started = {};
        m_answer.started = Start(path, name, arguments, writeEnd.Get(), started);
        if (!m_answer.started && path.empty() && IsWow64()) {
            // A 32-bit program sees the 32-bit System32, which has no BCDEDIT.EXE.
            char windows[MAX_PATH] = {};
            UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
            if (length > 0 && length < MAX_PATH)
                m_answer.started = Start(std::string(windows) + "\\Sysnative\\" + name, name, arguments,
                                         writeEnd.Get(), started);
        }
        m_process.Reset(started.hProcess);
        m_thread.Reset(started.hThread);
        // The child now holds the only other write end: end of file comes when it ends.
        writeEnd.Reset();
        m_reader.pipe = m_readEnd.Get();
        m_reading.Reset(::CreateThread(nullptr, 0, ReadAll, &m_reader, 0, nullptr));
        if (!m_reading)
            ReadAll(&m_reader);
    }
    RunningTool(const RunningTool&) = delete;
    RunningTool& operator=(const RunningTool&) = delete;
    ~RunningTool()
    {
        // A read started ahead that nobody asked for: it is of no use, and
        // its reader must stop before the text it fills goes.
        if (m_finished)
            return;
        if (m_process) {
            ::TerminateProcess(m_process.Get(), 1);
            ::WaitForSingleObject(m_process.Get(), INFINITE);
        }
        StopReading();
    }

    ToolAnswer Finish()
    {
        if (m_finished)
            return m_answer;
        m_finished = true;
        if (m_process) {
            DWORD start = ::GetTickCount();
            if (!Waiter()(m_process.Get(), m_arguments)) {
                ::TerminateProcess(m_process.Get(), 1);
                ::WaitForSingleObject(m_process.Get(), INFINITE);
                m_answer.endedAfterSeconds = std::max<DWORD>(1, (::GetTickCount() - start + 500) / 1000);
            }
            DWORD exitCode = 1;
            if (::GetExitCodeProcess(m_process.Get(), &exitCode))
                m_answer.exitCode = exitCode;
        }
        StopReading();
        m_answer.text = ConsoleTextToAnsi(m_reader.text);
        std::string().swap(m_reader.text);
        return m_answer;
    }

private:
    void StopReading()
    {
        if (m_reading && ::WaitForSingleObject(m_reading.Get(), kReaderGrace) == WAIT_TIMEOUT) {
            // Something the child started still holds the pipe: stop reading it.
            ::CancelSynchronousIo(m_reading.Get());
            ::WaitForSingleObject(m_reading.Get(), INFINITE);
        }
    }

    bool m_finished = false;
    std::string m_arguments;
    ToolAnswer m_answer;
    CKernelHandle m_readEnd, m_process, m_thread, m_reading;
    PipeReader m_reader{nullptr, {}};
};

ToolAnswer Run(const std::string& path, const std::string& name, const std::string& arguments)
{
    return RunningTool(path, name, arguments).Finish();
}

}  // namespace

void SetRunWaiter(RunWaiter waiter)
{
    if (waiter)
        Waiter() = std::move(waiter);
}

std::string ConsoleTextToAnsi(const std::string& oem) { return Convert(oem, CP_OEMCP, CP_ACP); }

std::string Utf8ToAnsi(const std::string& utf8) { return Convert(utf8, CP_UTF8, CP_ACP); }

ToolAnswer RunTool(const std::string& tool, const std::string& arguments)
{
    return Run({}, tool, arguments);
}

namespace {

// The system's own tool by its full path: a BCDEDIT.EXE planted in the
// program's folder or the current one would run with administrator rights.
std::string SystemBcdeditPath()
{
    char windows[MAX_PATH] = {};
    UINT size = ::GetSystemWindowsDirectoryA(windows, MAX_PATH);
    std::string system = size > 0 && size < MAX_PATH ? std::string(windows) : std::string("C:\\Windows");
    return system + (IsWow64() ? "\\Sysnative\\bcdedit.exe" : "\\System32\\bcdedit.exe");
}

}  // namespace

std::string BcdeditPath()
{
    char configured[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableA("KEYSTAVE_TOOL", configured, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return configured;
    std::string system = SystemBcdeditPath();
    // Wine has no tool of its own: there the simulator beside the program stands in.
    if (!FileExists(system) && RunningUnderWine())
        return ProgramFolder() + "\\" + kToolName;
    return system;
}

bool RunsSystemTool() { return BcdeditPath() == SystemBcdeditPath(); }

ToolAnswer RunBcdedit(const std::string& arguments)
{
    return Run(BcdeditPath(), kToolName, arguments);
}

std::vector<PendingAnswer> StartBcdeditReads(const std::vector<std::string>& arguments)
{
    std::string path = BcdeditPath();
    std::vector<PendingAnswer> answers;
    for (const std::string& command : arguments) {
        auto tool = std::make_shared<RunningTool>(path, kToolName, command);
        answers.push_back([tool] { return tool->Finish(); });
    }
    return answers;
}

std::string ToolRunner(std::string tool, std::string arguments)
{
    return RunTool(tool, arguments).text;
}

