#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "exec/CCommandHistory.h"
#include "exec/LocalTime.h"
#include "exec/ToolCommand.h"
#include "exec/ToolRun.h"

// Where the session's backups go: a new file name there (or empty, with
// why there is none), and the clean-up that keeps the newest of them.
// A store file is backed up as a copy of the file itself (the tool exports
// only this PC's store): `copyStore` makes it and gives its path, or empty
// with why.
struct BackupPlace {
    std::function<std::string(const LocalTime& now, std::string& why)> newPath;
    std::function<void()> prune;
    std::function<std::string(const std::string& storeFile, const LocalTime& now, std::string& why)> copyStore;
};

struct BackupResult {
    bool made = false;
    std::string path;
    std::vector<std::string> lines;  // the tool's words, or why it did not run
};

// One run of the program: every command it runs, the backup made before
// its first change, the changes still to be checked against the store, and
// the loader the running system booted from.
class CSession {
public:
    CSession(AnsweredToolRun run, std::function<LocalTime()> clock)
        : m_run(std::move(run)), m_clock(std::move(clock))
    {
    }

    // Runs a command and keeps it in the history; a read started ahead with
    // StartReadsAhead is answered from there, once.
    ToolAnswer Run(const std::string& arguments);
    // How reads start at once; without it, each runs when its Run asks.
    void SetStartReads(ToolStartReads start) { m_startReads = std::move(start); }
    // Starts reads that do not depend on each other at the same time, and
    // returns: the Run of each command waits for its own answer only, and
    // puts it into the history then. One already started is not started
    // again. Those of `arguments` no Run asked for are dropped by
    // DropReadsAhead.
    void StartReadsAhead(const std::vector<std::string>& arguments);
    void DropReadsAhead(const std::vector<std::string>& arguments);
    // A command that was not sent, and why.
    void RecordRefusal(const std::string& arguments, const std::string& reason);
    const CCommandHistory& History() const { return m_history; }
    LocalTime Now() const { return m_clock(); }

    void SetBackupPlace(BackupPlace place) { m_place = std::move(place); }
    // Before a command that changes the store: once per session, a backup.
    // When it cannot be made, `goOnWithout` is asked with the tool's words;
    // false means the command must not be sent (and the history says so).
    bool ReadyToChange(const std::string& arguments,
                       const std::function<bool(const std::vector<std::string>& lines)>& goOnWithout);
    // A backup now, whatever came before.
    BackupResult BackUp();
    // The backup made before the first change to the store in use; empty
    // until one was made.
    std::string FirstBackup() const;

    // A confirmed change, to be compared with the store when it is next read.
    void NoteChange(const ElementChange& change);
    std::vector<ElementChange> TakeChanges();

    // The identifier of the loader the system booted from, asked of the tool
    // once: the running system does not change while the program runs.
    // Empty when the tool does not say, and for a store file, which no
    // Windows runs from.
    const std::string& RunningEntry();
    // The same without asking: empty until it was asked.
    const std::string& KnownRunningEntry() const;

private:
    // The answer waiting for `arguments`, or the end.
    std::vector<std::pair<std::string, PendingAnswer>>::iterator Ahead(const std::string& arguments);

    CCommandHistory m_history;
    AnsweredToolRun m_run;
    ToolStartReads m_startReads;
    std::vector<std::pair<std::string, PendingAnswer>> m_ahead;
    std::function<LocalTime()> m_clock;
    BackupPlace m_place;
    // Each store's first backup, and the stores changed without one, by
    // store file ("" for this PC's store).
    std::map<std::string, std::string> m_firstBackups;
    std::set<std::string> m_wentOnWithoutBackup;
    std::vector<ElementChange> m_changes;
    bool m_runningAsked = false;
    std::string m_running;
};

// A runner whose every run goes through `session` (and so into its
// history), for the model and the windows that read the store.
AnsweredToolRun RunThrough(CSession& session);

// The identifier line of "/enum {current} /v": a braced GUID, or empty.
std::string RunningEntryFromOutput(const std::vector<std::string>& lines);
