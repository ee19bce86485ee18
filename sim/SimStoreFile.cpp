#include "sim/SimStoreFile.h"

#include <cstdio>
#include <mutex>

#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimMessages.h"
#include "common/FileText.h"
#include "common/TextCompare.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool ReplaceFile(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

int ProcessId()
{
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(getpid());
#endif
}

// Held around a run's read-modify-write of the store, so that parallel
// writers (processes, or threads of one process) each see the others'
// changes: a lock on "<store>.lock", released by the system if a run dies.
class StoreLock {
public:
    explicit StoreLock(const std::string& storePath) : m_threads(ThreadLock())
    {
        std::string path = storePath + ".lock";
#ifdef _WIN32
        m_file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        OVERLAPPED at = {};
        m_locked = m_file != INVALID_HANDLE_VALUE &&
                   LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at) != 0;
#else
        m_file = open(path.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0666);
        m_locked = m_file >= 0 && lockf(m_file, F_LOCK, 0) == 0;
#endif
    }
    ~StoreLock()
    {
#ifdef _WIN32
        if (m_locked) {
            OVERLAPPED at = {};
            UnlockFileEx(m_file, 0, 1, 0, &at);
        }
        if (m_file != INVALID_HANDLE_VALUE)
            CloseHandle(m_file);
#else
        if (m_file >= 0)
            close(m_file);  // drops the lock
#endif
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    // File locks are per process on some systems: threads queue here first.
    static std::mutex& ThreadMutex()
    {
        static std::mutex mutex;
        return mutex;
    }
    static std::unique_lock<std::mutex> ThreadLock() { return std::unique_lock<std::mutex>(ThreadMutex()); }

    std::unique_lock<std::mutex> m_threads;
#ifdef _WIN32
    HANDLE m_file = INVALID_HANDLE_VALUE;
#else
    int m_file = -1;
#endif
    bool m_locked = false;
};

}  // namespace

bool WriteStoreAtomically(const std::string& path, const std::string& text)
{
    // A name of this writer's own: another's rename never takes our half-written file.
    std::string temp = path + "." + std::to_string(ProcessId()) + ".tmp";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && ReplaceFile(temp, path))
        return true;
    std::remove(temp.c_str());
    return false;
}

SimRunResult RunSimulatorOnFile(const std::vector<std::string>& args,
                                const std::string& storePath, bool accessDenied)
{
    SimRunResult result;
    StoreLock lock(storePath);
    std::string text;
    if (!ReadWholeFile(storePath, text)) {
        result.err = kStoreMissing;
        return result;
    }
    CSimStore store;
    std::string parseError;
    if (!store.Parse(text, parseError)) {
        result.err = kStoreCorrupt;
        return result;
    }
    result.language = store.language;
    if (accessDenied || store.accessDenied) {
        result.err = kStoreDenied;
        return result;
    }
    CSimulator simulator(store);
    SimOutput output = simulator.Execute(args);
    if (output.changed && !WriteStoreAtomically(storePath, store.Serialize())) {
        result.err = kStoreWriteFailed;
        return result;
    }
    result.out = output.out;
    result.err = output.err;
    result.failed = output.failed;
    return result;
}

SimRunResult RunSimulatorCommand(std::vector<std::string> args, const std::string& systemStorePath,
                                 bool accessDenied)
{
    SimRunResult result;
    std::string storePath = systemStorePath;
    bool storeFile = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (!EqualsNoCase(args[i], "/store"))
            continue;
        if (i + 1 >= args.size()) {
            result.err = kStoreSwitchWithoutFile;
            return result;
        }
        storePath = args[i + 1];
        storeFile = true;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        break;
    }
    if (!args.empty() && EqualsNoCase(args[0], "/createstore")) {
        std::string existing;
        if (args.size() != 2) {
            result.err = kStoreSwitchWithoutFile;
        } else if (ReadWholeFile(args[1], existing)) {
            result.err = kStoreNotCreated;
        } else if (!WriteStoreAtomically(args[1], CSimStore().Serialize())) {
            result.err = kStoreWriteFailed;
        } else {
            result.out = kOperationSucceeded;
        }
        return result;
    }
    if (storeFile && !args.empty() && EqualsNoCase(args[0], "/export")) {
        result.err = kStoreExportFailed;
        return result;
    }
    if (storeFile && !args.empty() && EqualsNoCase(args[0], "/import")) {
        result.err = kStoreImportFailed;
        return result;
    }
    return RunSimulatorOnFile(args, storePath, accessDenied);
}

std::string GeneratedStoreText(int loaders)
{
    CSimStore store;
    std::string error;
    if (!store.Parse(kSampleStoreText, error))
        return {};
    const SimObject* model = store.FindByGuid("{5d8a3f30-1c4b-11ef-9a7d-806e6f6e6963}");
    SimObject* manager = store.FindByAlias("{bootmgr}");
    if (!model || !manager || !manager->Find("displayorder"))
        return {};
    SimObject copy = *model;
    std::vector<SimObject> added;
    added.reserve(static_cast<size_t>(loaders > 0 ? loaders : 0));
    for (int i = 0; i < loaders; ++i) {
        char guid[40];
        std::snprintf(guid, sizeof guid, "{%08x-0000-4000-8000-%012x}", static_cast<unsigned>(i + 1),
                      static_cast<unsigned>(i + 1));
        copy.guid = guid;
        copy.alias.clear();
        copy.Find("description")->values = {"Windows " + std::to_string(i + 1)};
        added.push_back(copy);
        manager->Find("displayorder")->values.push_back(guid);
    }
    for (SimObject& object : added)
        store.objects.push_back(std::move(object));
    return store.Serialize();
}
